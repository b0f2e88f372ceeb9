#pragma once
#include <QString>

class QLabel;
class QWidget;

// A text of an assistant's page: word-wrapped, from its top left; named when Nome is given.
QLabel* RotuloAssistente(const QString& Texto, QWidget* Pai = nullptr, const char* Nome = nullptr);
