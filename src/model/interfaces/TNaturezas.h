#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

// A nature of the declarant: the code written to the declaration and the text shown.
class TNatureza final {
public:
    TNatureza(std::uint8_t Codigo, QString Descricao);

    [[nodiscard]] std::uint8_t GetCodigo() const { return FCodigo; }
    void SetCodigo(std::uint8_t Codigo) { FCodigo = Codigo; }
    [[nodiscard]] const QString& GetDescricao() const { return FDescricao; }
    void SetDescricao(const QString& Descricao) { FDescricao = Descricao; }

private:
    std::uint8_t FCodigo;
    QString FDescricao;
};

// The fixed table of the ten natures and the list of those the current declarant may choose.
// Several natures share a code: a nature is known by its object (its position in the table),
// never by its code, so the table is neither copied nor moved.
class TNaturezas final {
public:
    static constexpr int Quantidade = 10;
    static constexpr int MaximoDisponiveis = 128;   // positions fit a signed byte

    TNaturezas();
    TNaturezas(const TNaturezas&) = delete;
    TNaturezas& operator=(const TNaturezas&) = delete;

    // All ten, by position: 5 is the empty nature of a declaration that has none yet.
    [[nodiscard]] std::span<TNatureza, Quantidade> GetTodas() { return FTodas; }
    [[nodiscard]] std::span<const TNatureza, Quantidade> GetTodas() const { return FTodas; }
    // In the order in which they were made available.
    [[nodiscard]] const std::vector<TNatureza*>& GetDisponiveis() const { return FDisponiveis; }

    // Natureza must be one of this table's; anything else, or a list already full, raises
    // std::logic_error.
    void AdicionaDisponivel(TNatureza& Natureza);
    void LimpaDisponiveis() { FDisponiveis.clear(); }
    // The first available nature with that code; nullptr when there is none.
    [[nodiscard]] TNatureza* GetDisponivel(std::uint8_t Codigo) const;
    // Position of that object in the available list; -1 when it is not there.
    [[nodiscard]] std::int8_t IndiceDisponivel(const TNatureza* Natureza) const;

private:
    std::array<TNatureza, Quantidade> FTodas;
    std::vector<TNatureza*> FDisponiveis;   // entries of FTodas, not owned
};
