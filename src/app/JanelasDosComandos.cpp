#include "app/JanelasDosComandos.h"

#include "assistants/generation/TFoAssistGeracao.h"
#include "assistants/import/TFoAssistImportacao.h"
#include "assistants/transmission/TFoAssistTransmissao.h"
#include "assistants/verification/TFoPendencias.h"
#include "assistants/import/TFoRelatoErrosImp.h"
#include "assistants/backup/TFormAssistCopSeg.h"
#include "assistants/backup/TFormAssistRestCopSeg.h"
#include "reports/printing/ComandosImpressao.h"
#include "screens/pages/ComandosDeclaracao.h"
#include "screens/calculator/TFoCalcula.h"
#include "screens/search/TFoPesquisar.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/backup/TFormCopSegAuto.h"
#include "shell/declarations/TFoIndexa.h"

TRotinasPrincipal JanelasDosComandos(TPruv2003& janela)
{
    TRotinasPrincipal rotinas;
    rotinas.MostraReorganizacao = [&janela] { MostraReorganizacao(&janela); };
    rotinas.ExecutaAssistCopSeg = ExecutaAssistCopSeg;
    rotinas.ExecutaAssistRestCopSeg = ExecutaAssistRestCopSeg;
    rotinas.ArquivosDados = ArquivosDados();
    rotinas.FazCopiaAutomatica = TFormCopSegAuto::Executa;
    rotinas.ExibePendencias = ExibePendencias;
    rotinas.ExecutaAssistGeracao = ExecutaAssistGeracao;
    rotinas.Impressao = RotinasImpressao();
    rotinas.ExecutaAssistTransmissao = ExecutaAssistTransmissao;
    rotinas.MostraPesquisa = MostraPesquisa;
    DefineRotinasDeclaracao(rotinas, &janela);
    rotinas.ExecutaAssistImportacao = ExecutaAssistImportacao;
    rotinas.ExibeRelatorioErrosImp = ExibeRelatorioErrosImp;
    rotinas.MostraCalculadora = MostraCalculadora;
    return rotinas;
}
