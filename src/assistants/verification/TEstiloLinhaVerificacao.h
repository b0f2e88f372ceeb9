#pragma once
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <cstddef>

// The pictures of the verification's rows.
enum class TIconeVerificacao { Nenhum, Declarante, Fundo, Erro, Aviso, Ok, Exclamacao };
inline constexpr std::size_t QuantidadeIconesVerificacao = 7;

// How one row of the verification is drawn in the frame's list, chosen by the code that starts
// its DESCRICAO: the picture at the cell's left plus DeslocamentoIcone, the text at the left plus
// DeslocamentoIcone plus DeslocamentoTexto, in Pontos points (0: the list's own font).
struct TEstiloLinhaVerificacao {
    TIconeVerificacao Icone = TIconeVerificacao::Nenhum;
    int DeslocamentoIcone = 45;
    int DeslocamentoTexto = 30;
    int Pontos = 0;
    bool Negrito = false;
    QColor Cor = Qt::black;

    // Characters of the text a row shows after its code.
    static constexpr int TamanhoTexto = 160;

    [[nodiscard]] static TEstiloLinhaVerificacao DoCodigo(const QString& Codigo);
    // The font of the style, on the list's own font.
    [[nodiscard]] QFont Fonte(const QFont& DaLista) const;
    // The picture (24 x 16, 14 x 16 or 17 x 17); a null pixmap for none.
    [[nodiscard]] static QPixmap Imagem(TIconeVerificacao Icone);
};
