#include "platform/widgets/grid/TGridAxis.h"

#include <algorithm>

int TGridAxis::FixedBoundary() const
{
    int fim = 0;
    for (int i = 0; i < std::min(FixedCount, Count()); ++i)
        fim += Extents[static_cast<std::size_t>(i)] + LineWidth;
    return fim;
}

int TGridAxis::CellStart(int cell, int clientExtent) const
{
    if (cell < 0 || cell >= Count())
        return -1;
    int inicio = 0;
    if (cell < FixedCount) {
        for (int i = 0; i < cell; ++i)
            inicio += Extents[static_cast<std::size_t>(i)] + LineWidth;
    } else {
        if (cell < First)
            return -1;
        inicio = FixedBoundary();
        for (int i = First; i < cell; ++i) {
            inicio += Extents[static_cast<std::size_t>(i)] + LineWidth;
            if (inicio >= clientExtent)
                return -1;
        }
    }
    return inicio < clientExtent ? inicio : -1;
}

int TGridAxis::LastFullVisible(int clientExtent) const
{
    int ultimo = First;
    int fim = FixedBoundary();
    for (int i = First; i < Count(); ++i) {
        fim += Extents[static_cast<std::size_t>(i)] + LineWidth;
        if (fim > clientExtent + LineWidth)
            break;
        ultimo = i;
    }
    return ultimo;
}

int TGridAxis::LastVisible(int clientExtent) const
{
    int ultimo = std::min(FixedCount, Count()) - 1;
    int inicio = FixedBoundary();
    for (int i = First; i < Count() && inicio < clientExtent; ++i) {
        ultimo = i;
        inicio += Extents[static_cast<std::size_t>(i)] + LineWidth;
    }
    return ultimo;
}

int TGridAxis::VisibleCount(int clientExtent) const
{
    return LastFullVisible(clientExtent) - First + 1;
}

int TGridAxis::CellAt(int position, int clientExtent) const
{
    if (position < 0 || position >= clientExtent)
        return -1;
    int inicio = 0;
    for (int i = 0; i < std::min(FixedCount, Count()); ++i) {
        const int fim = inicio + Extents[static_cast<std::size_t>(i)] + LineWidth;
        if (position < fim)
            return i;
        inicio = fim;
    }
    for (int i = First; i < Count(); ++i) {
        const int fim = inicio + Extents[static_cast<std::size_t>(i)] + LineWidth;
        if (position < fim)
            return i;
        inicio = fim;
    }
    return -1;
}

int TGridAxis::MaxFirst(int clientExtent) const
{
    const int disponivel = clientExtent - FixedBoundary();
    int primeiro = Count() - 1;
    int usado = 0;
    for (int i = Count() - 1; i >= FixedCount; --i) {
        usado += Extents[static_cast<std::size_t>(i)] + LineWidth;
        if (usado > disponivel + LineWidth)
            break;
        primeiro = i;
    }
    return std::max(primeiro, FixedCount);
}

int TGridAxis::GridBoundary(int clientExtent) const
{
    int fim = FixedBoundary();
    for (int i = First; i < Count(); ++i) {
        fim += Extents[static_cast<std::size_t>(i)] + LineWidth;
        if (fim >= clientExtent)
            return clientExtent;
    }
    return std::min(fim, clientExtent);
}
