#pragma once
#include <QSet>
#include <QString>

// What the state of the main window's commands depends on.
struct TSituacaoMenus {
    bool Habilitados = true;    // false after a data error left the program read-only
    bool ColecaoVazia = true;   // no declaration is stored
    bool DeclaracaoAberta = false;
    // Of the open declaration:
    QString Nome;              // the declarant's name
    QString Estabelecimento;   // the order digits of its CNPJ; empty for a CPF
    QString Ano;               // the calendar year
    QString AnoAtual;          // the program's current calendar year
    int CodigoNatureza = 0;
    // The commands that this program can run: the others are disabled in every state.
    QSet<QString> Disponiveis;
};

// The state of the commands and of what the main window shows for one situation.
struct TEstadoMenus {
    QSet<QString> Habilitados;        // the menus and commands enabled, by component name
    bool SincronizarVisivel = true;   // MiSincronizar and its separator N4
    bool MostraComprovante = true;    // the declaration frame's pages
    bool MostraFundos = false;
    QString Titulo;   // the window's caption
    QString AnoRet;   // the year label of the toolbar

    [[nodiscard]] bool Habilitado(const QString& nome) const { return Habilitados.contains(nome); }

    [[nodiscard]] static TEstadoMenus Calcula(const TSituacaoMenus& situacao);
};
