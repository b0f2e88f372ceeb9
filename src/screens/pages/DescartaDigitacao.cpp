#include "screens/pages/DescartaDigitacao.h"

#include "screens/edits/TPruvCustomEdit.h"
#include "screens/edits/TPruvMemo.h"
#include "screens/grids/TPruvCustomGrid.h"

void DescartaDigitacao(std::initializer_list<QWidget*> Areas)
{
    if (Areas.size() == 0)
        return;
    // The window's focus: a question may have the activation while the action runs.
    QWidget* foco = (*Areas.begin())->window()->focusWidget();
    QWidget* area = nullptr;
    for (QWidget* a : Areas)
        if (foco && (a == foco || a->isAncestorOf(foco)))
            area = a;
    if (!area)
        return;
    // A grid's focus is on its editor, a memo's may be on a part of it.
    for (QWidget* w = foco; w; w = w == area ? nullptr : w->parentWidget()) {
        if (auto* grade = qobject_cast<TPruvCustomGrid*>(w)) {
            grade->DiscardEditor();
            return;
        }
        if (auto* edit = qobject_cast<TPruvCustomEdit*>(w)) {
            edit->Descarta();
            return;
        }
        if (auto* memo = qobject_cast<TPruvMemo*>(w)) {
            memo->Descarta();
            return;
        }
    }
}
