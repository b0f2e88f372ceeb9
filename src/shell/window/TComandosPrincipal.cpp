#include "shell/window/TComandosPrincipal.h"

#include <cstring>

namespace {

using T = TItemMenu::TTipo;
using I = TImagem;

constexpr TItemMenu menus[] = {
    {T::Menu, "MiDeclaracao", "", "&Declaração", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiNova", "MiDeclaracao", "&Nova...", "Ctrl+N", I::Nova, "FoNovaDeclaracao", true, false},
    {T::Comando, "MiAbrir", "MiDeclaracao", "&Abrir...", "Ctrl+A", I::Abrir, "FoAbreDeclaracao", true, false},
    {T::Comando, "MiFecharDeclaracao", "MiDeclaracao", "&Fechar", "Ctrl+F", I::Fechar, "FoFechar", false, false},
    {T::Comando, "MiExcluir", "MiDeclaracao", "&Excluir...", "", I::Nenhuma, "FoExcluiDeclaracao", true, false},
    {T::Separador, "", "MiDeclaracao", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiImportar", "MiDeclaracao", "I&mportar dados ...", "Ctrl+I", I::Importar, "FoAssistImportacao", true,
     false},
    {T::Separador, "", "MiDeclaracao", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiImprimir", "MiDeclaracao", "&Imprimir ...", "Ctrl+M", I::Imprimir, "FoAssistRelatorios", true,
     false},
    {T::Comando, "MiConfigurarImpressora", "MiDeclaracao", "&Configurar Impressora ...", "", I::Nenhuma, "", true,
     false},
    {T::Separador, "", "MiDeclaracao", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiVerificarPendencias", "MiDeclaracao", "&Verificar pendências ...", "Ctrl+E", I::Pendencias,
     "FoPendencias", true, false},
    {T::Comando, "MiGravarXeq", "MiDeclaracao", "&Gravar declaração para entrega à XEQ...", "Ctrl+G", I::Gerar,
     "FoAssistGeracao", true, false},
    {T::Comando, "MiTransmitirviaInternet", "MiDeclaracao", "&Transmitir via Internet ...", "Ctrl+T", I::Transmitir,
     "FoAssistTransmissao", false, false},
    {T::Separador, "", "MiDeclaracao", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiSair", "MiDeclaracao", "&Sair do Programa", "", I::Nenhuma, "", false, false},

    {T::Menu, "MiFerramentas", "", "&Ferramentas", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiPesquisar", "MiFerramentas", "&Pesquisar Beneficiário", "Ctrl+S", I::Pesquisar, "FoPesquisar", true,
     false},
    {T::Comando, "MiResumo", "MiFerramentas", "Atualizar o Resumo da &Declaração", "", I::Nenhuma, "FoCalculaResumo",
     true, false},
    {T::Comando, "MiCalculadora", "MiFerramentas", "&Calculadora", "Ctrl+L", I::Calculadora, "FoCalcula", true, false},
    {T::Separador, "N5", "MiFerramentas", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiSincronizar", "MiFerramentas", "&Sincronizar o Comprovante de Rendimentos", "", I::Nenhuma, "",
     false, true},
    {T::Separador, "N4", "MiFerramentas", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiIndexador", "MiFerramentas", "&Reorganizar Tabelas de Dados", "", I::Nenhuma, "FoIndexa", true,
     false},
    {T::Menu, "MiSeguranca", "MiFerramentas", "Có&pia de Segurança da Base de Dados", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiGravarCopia", "MiSeguranca", "&Gravar ...", "", I::GerarCopia, "FormAssistCopSeg", false, false},
    {T::Comando, "MiRestaurarCopia", "MiSeguranca", "&Restaurar...", "", I::Nenhuma, "FormAssistCopSeg", false, false},
    {T::Comando, "MiCopiaAuto", "MiFerramentas", "Cópia de Segurança &Automática", "", I::Nenhuma, "", false, true},

    {T::Menu, "MiAjuda", "", "&Ajuda", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiConteudo", "MiAjuda", "&Conteúdo", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiManual", "MiAjuda", "&Instruções de Preenchimento", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiAjudaCampo", "MiAjuda", "&Ajuda Contextual", "F1", I::Ajuda, "", false, false},
    {T::Separador, "", "MiAjuda", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "UsodoTeclado1", "MiAjuda", "&Uso do Teclado", "", I::Nenhuma, "", false, false},
    {T::Comando, "LeiautedoArquivo1", "MiAjuda", "&Leiaute do Arquivo", "", I::Nenhuma, "", false, false},
    {T::Comando, "Ouehdenovo1", "MiAjuda", "&Dicas", "", I::Nenhuma, "FoNovidade", true, false},
    {T::Separador, "", "MiAjuda", "", "", I::Nenhuma, "", false, false},
    {T::Comando, "MiSobre", "MiAjuda", "&Sobre a Pruv 2003", "", I::Nenhuma, "", false, false},
};

constexpr TBotaoBarra barra[] = {
    {"TbNova", "MiNova", "Nova Declaração"},
    {"TbAbrir", "MiAbrir", "Abrir Declaração"},
    {"TbFechar", "MiFecharDeclaracao", "Fechar Declaração"},
    {"", "", ""},
    {"TbImportarDados", "MiImportar", "Importar dados para a declaração"},
    {"", "", ""},
    {"TbImprimir", "MiImprimir", "Assistente de Impressão"},
    {"", "", ""},
    {"TbVerificarPendencias", "MiVerificarPendencias", "Verificar pendências"},
    {"TbGerar", "MiGravarXeq", "Gravar declaração para entrega à XEQ"},
    {"TbTransmitir", "MiTransmitirviaInternet", "Transmitir via Internet"},
    {"", "", ""},
    {"TbPesquisar", "MiPesquisar", "Pesquisar beneficiários/código na declaração"},
    {"TbCalculadora", "MiCalculadora", "Calculadora"},
    {"TbGerarCopia", "MiGravarCopia", "Gravar cópia de segurança"},
    {"", "", ""},
    {"TbAjuda", "MiAjudaCampo", "Ajuda da PRUV 2003"},
};

}   // namespace

namespace TComandosPrincipal {

std::span<const TItemMenu> Menus()
{
    return menus;
}

std::span<const TBotaoBarra> Barra()
{
    return barra;
}

const TItemMenu* Item(const char* nome)
{
    for (const TItemMenu& item : menus)
        if (std::strcmp(item.Nome, nome) == 0 && *nome != '\0')
            return &item;
    return nullptr;
}

}   // namespace TComandosPrincipal
