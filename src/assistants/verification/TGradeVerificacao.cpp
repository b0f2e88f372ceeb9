#include "assistants/verification/TGradeVerificacao.h"

TGradeVerificacao::TGradeVerificacao(QWidget* parent)
    : TdvCustomDBGrid(parent)
{
    SetOptions(dgRowSelect | dgAlwaysShowSelection | dgWordWrap);
    SetKeyOptions(0);
    SetReadOnly(true);
    SetTitleButtons(false);
}
