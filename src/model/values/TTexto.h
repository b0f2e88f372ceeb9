#pragma once
#include "model/values/TDadoBasico.h"

// A free text value, stored without surrounding blanks.
class TTexto : public TDadoBasico {
public:
    // Notifies also when the text is unchanged.
    void SetTexto(const QString& Texto) override;
    [[nodiscard]] QString GetTexto() const override { return FTexto; }
    void Limpa();   // empties and notifies

    // Removes the blanks and control characters (up to code 32) at both ends.
    static QString Apara(const QString& Texto);

private:
    QString FTexto;
};
