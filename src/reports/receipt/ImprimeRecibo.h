#pragma once
#include <QString>
#include <QStringList>

// Prints the delivery receipt of each delivery file, in list order, on the default printer (the
// receipt is never previewed). Each receipt is filled only from the receipt data (Recibo.ini) that
// travelled inside its delivery file, so it shows exactly what was delivered. When the
// transmission left a receipt file (".rec") beside the delivery file, the receipt file is checked
// first: a certified one adds the reception stamp and, from calendar year 2002 on, the notes; one
// that fails the check is not printed (message 1) and the next file is handled.
//
// Arquivos: the delivery files (".dec"), each unpacked in turn into the data folder's
//   Recibo.ini; a file that cannot be unpacked, or whose receipt data are damaged, shows message 2
//   and ends the call.
// JaGerado: the delivery file was just written, so the data folder's Recibo.ini is already its
//   receipt data and Nome is the delivery file's path; each entry of Arquivos then prints that
//   receipt (the main window passes the one entry DADOS/Recibo.ini).
//
// Receipt data whose CRC does not make a valid receipt number print nothing (message 70); without
// a printer message 161 ends the call. The data folder's Recibo.ini is left for the caller.
void ImprimeRecibo(const QStringList& Arquivos, bool JaGerado, const QString& Nome);
