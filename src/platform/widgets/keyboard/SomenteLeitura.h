#pragma once

class QWidget;

// A read-only field looks so (the button face behind its text) and is no Tab stop; a click still
// gives it the focus, so that its text can be selected and copied. False gives both back.
void MostraSomenteLeitura(QWidget& Campo, bool SomenteLeitura);
