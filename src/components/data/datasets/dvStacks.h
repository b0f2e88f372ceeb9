#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// A stack of texts; popping an empty one gives the empty text.
class TStackStr {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(FLista.size()); }
    void Push(const QString& texto) { FLista.append(texto); }
    QString Pop() { return FLista.isEmpty() ? QString() : FLista.takeLast(); }

private:
    QStringList FLista;
};

// A stack of pointers (not owned); popping an empty one gives nullptr.
class TStackPtr {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(FLista.size()); }
    void Push(void* ponteiro) { FLista.push_back(ponteiro); }
    void* Pop()
    {
        if (FLista.empty())
            return nullptr;
        void* ultimo = FLista.back();
        FLista.pop_back();
        return ultimo;
    }

private:
    std::vector<void*> FLista;
};
