#include "assistants/TGradeVerificacao.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "components/controls/TdvGridDataLink.h"
#include "platform/db/TDataSet.h"

TGradeVerificacao::TGradeVerificacao(QWidget* parent) : TdvCustomDBGrid(parent)
{
    SetOptions(dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection | dgWordWrap);
    SetReadOnly(true);
    SetTitleButtons(false);
    setFocusPolicy(Qt::StrongFocus);
}

bool TGradeVerificacao::VaiParaLinha(int linha)
{
    TdvGridDataLink& link = DataLink();
    const int registro = linha - TitleOffset();
    if (!link.Active() || registro < 0 || registro >= link.RecordCount())
        return false;
    link.MoveBy(registro - link.ActiveRecord());
    return true;
}

void TGradeVerificacao::Move(int distancia)
{
    if (DataLink().Active())
        DataLink().MoveBy(distancia);
}

void TGradeVerificacao::mousePressEvent(QMouseEvent* evento)
{
    setFocus(Qt::MouseFocusReason);
    if (evento->button() == Qt::LeftButton) {
        const QPoint ponto = evento->position().toPoint();
        VaiParaLinha(MouseCoord(ponto.x(), ponto.y()).Y);
    }
    evento->accept();
}

void TGradeVerificacao::mouseDoubleClickEvent(QMouseEvent* evento)
{
    const QPoint ponto = evento->position().toPoint();
    if (evento->button() == Qt::LeftButton && VaiParaLinha(MouseCoord(ponto.x(), ponto.y()).Y) && OnDblClick)
        OnDblClick();
    evento->accept();
}

void TGradeVerificacao::keyPressEvent(QKeyEvent* evento)
{
    TDataSet* dados = DataLink().Active() ? DataSet() : nullptr;
    if (!dados) {
        TdvCustomDBGrid::keyPressEvent(evento);
        return;
    }
    const int pagina = std::max(1, VisibleRowCount());
    switch (evento->key()) {
    case Qt::Key_Up: Move(-1); break;
    case Qt::Key_Down: Move(1); break;
    case Qt::Key_PageUp: Move(-pagina); break;
    case Qt::Key_PageDown: Move(pagina); break;
    case Qt::Key_Home: dados->First(); break;
    case Qt::Key_End: dados->Last(); break;
    default: TdvCustomDBGrid::keyPressEvent(evento); return;
    }
    evento->accept();
}
