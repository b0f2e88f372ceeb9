#pragma once
#include <QtGlobal>

// Writes all of dados at the descriptor's offset, through short writes and interruptions; false
// with errno set when a write failed.
bool EscreveTudo(int descritor, const char* dados, qsizetype tamanho);
