#include "components/controls/combos/TdvComboItems.h"

#include <algorithm>

namespace {

bool Antes(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

}   // namespace

int TdvComboItems::Add(const QString& texto)
{
    int i = Count();
    if (FSorted)
        i = static_cast<int>(std::upper_bound(FLinhas.cbegin(), FLinhas.cend(), texto, Antes) - FLinhas.cbegin());
    FLinhas.insert(i, texto);
    Avisa();
    return i;
}

void TdvComboItems::Insert(int i, const QString& texto)
{
    if (FSorted) {
        Add(texto);
        return;
    }
    FLinhas.insert(std::clamp(i, 0, Count()), texto);
    Avisa();
}

void TdvComboItems::Delete(int i)
{
    if (i < 0 || i >= Count())
        return;
    FLinhas.removeAt(i);
    Avisa();
}

void TdvComboItems::Clear()
{
    if (FLinhas.isEmpty())
        return;
    FLinhas.clear();
    Avisa();
}

void TdvComboItems::Assign(const QStringList& linhas)
{
    FLinhas = linhas;
    if (FSorted)
        Ordena();
    Avisa();
}

int TdvComboItems::IndexOf(const QString& texto) const
{
    for (int i = 0; i < Count(); ++i)
        if (QString::compare(FLinhas.at(i), texto, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TdvComboItems::SetSorted(bool valor)
{
    if (valor == FSorted)
        return;
    FSorted = valor;
    if (valor) {
        Ordena();
        Avisa();
    }
}

void TdvComboItems::Ordena()
{
    std::stable_sort(FLinhas.begin(), FLinhas.end(), Antes);
}

void TdvComboItems::Avisa()
{
    if (OnChange)
        OnChange();
}
