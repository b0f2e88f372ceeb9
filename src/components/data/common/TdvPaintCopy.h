#pragma once
#include <QPointer>

class QObject;

// Marks a control as painting a copy of itself for a grid cell, for the life of the object
// (dvIsPaintCopyState). Marks nest; a control destroyed meanwhile is left alone.
class TdvPaintCopy final {
public:
    explicit TdvPaintCopy(QObject* control);
    ~TdvPaintCopy();
    TdvPaintCopy(const TdvPaintCopy&) = delete;
    TdvPaintCopy& operator=(const TdvPaintCopy&) = delete;

    static constexpr char Property[] = "dvPaintCopy";   // the depth of the marks

private:
    QPointer<QObject> FControl;
};
