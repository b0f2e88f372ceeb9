#pragma once
#include <QString>

// One row of the withholding-code table (CodRet) of a calendar year: which kind of beneficiary
// the code admits, whether it belongs to the fund and club annexes, and whether it admits
// deductions, values under judicial suspension or only federal public bodies. A plain value.
class TCodigoRetencao {
public:
    [[nodiscard]] const QString& GetCodigo() const { return FCodigo; }   // four digits
    void SetCodigo(const QString& Codigo) { FCodigo = Codigo; }
    [[nodiscard]] const QString& GetAno() const { return FAno; }   // four digits
    void SetAno(const QString& Ano) { FAno = Ano; }
    // "F" person, "J" legal entity, anything else both.
    [[nodiscard]] const QString& GetPfPjAmbos() const { return FPfPjAmbos; }
    void SetPfPjAmbos(const QString& PfPjAmbos) { FPfPjAmbos = PfPjAmbos; }
    [[nodiscard]] const QString& GetResumo() const { return FResumo; }   // short description
    void SetResumo(const QString& Resumo) { FResumo = Resumo; }
    [[nodiscard]] const QString& GetRegime() const { return FRegime; }
    void SetRegime(const QString& Regime) { FRegime = Regime; }
    [[nodiscard]] const QString& GetComprovante() const { return FComprovante; }
    void SetComprovante(const QString& Comprovante) { FComprovante = Comprovante; }
    // "1" a code of the fund and club annexes, "0" otherwise.
    [[nodiscard]] const QString& GetAnexo() const { return FAnexo; }
    void SetAnexo(const QString& Anexo) { FAnexo = Anexo; }
    [[nodiscard]] bool GetDeducao() const { return FDeducao; }
    void SetDeducao(bool Deducao) { FDeducao = Deducao; }
    [[nodiscard]] bool GetIn4() const { return FIn4; }   // exclusive to federal public bodies
    void SetIn4(bool In4) { FIn4 = In4; }
    [[nodiscard]] bool GetSubJudice() const { return FSubJudice; }
    void SetSubJudice(bool SubJudice) { FSubJudice = SubJudice; }

    void CopiaPara(TCodigoRetencao& Destino) const { Destino = *this; }
    [[nodiscard]] bool operator==(const TCodigoRetencao& Outro) const;
    // Empties every text but the annex flag, which the owner of the code fixes, and clears the
    // three flags.
    void Limpa();

private:
    QString FCodigo;
    QString FAno;
    QString FPfPjAmbos;
    QString FResumo;
    QString FRegime;
    QString FComprovante;
    QString FAnexo;
    bool FDeducao = false;
    bool FIn4 = false;
    bool FSubJudice = false;
};
