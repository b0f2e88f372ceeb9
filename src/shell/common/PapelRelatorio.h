#pragma once

class TRelatorio;

// The report takes the paper of the default printer when it has a paper code, else Letter.
void AjustaPapel(TRelatorio& Relatorio);
