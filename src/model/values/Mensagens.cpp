#include "model/values/Mensagens.h"

namespace {

// Code 89 repeats code 15 and code 163 ends with a blank on purpose: callers append to it.
constexpr const char16_t* textos[Mensagens::Quantidade] = {
    /*   0 */ u"Sem erro",
    /*   1 */ u"O arquivo de recibo está corrompido. Portanto, o recibo não será impresso.",
    /*   2 */ u"O arquivo da declaração está corrompido. Portanto, o recibo não será impresso.",
    /*   3 */ u"Chave Inválida",
    /*   4 */ u"Nome informado no tipo 1 (dados do declarante) diferente do nome selecionado para importação",
    /*   5 */ u"Ano informado no tipo 1 (dados do declarante) diferente do ano selecionado para importação",
    /*   6 */
    u"Natureza do declarante no tipo 1 (dados do declarante) diferente da natureza selecionada para importação",
    /*   7 */ u"Natureza do declarante no tipo 1 (dados do declarante) para ano anterior a 1998",
    /*   8 */ u"Declarante não pode ter a natureza selecionada para a importação",
    /*   9 */ u"Declarante não pode ter a natureza informada no arquivo texto",
    /*  10 */ u"Um arquivo de importação somente poderá conter uma declaração se for de pessoa física",
    /*  11 */ u"Um arquivo de importação somente poderá conter declarações de uma mesma pessoa jurídica",
    /*  12 */ u"Beneficiário não possui Pruv associada a ele",
    /*  13 */ u"Beneficiário não pertence ao Fundo ou Clube de Investimentos",
    /*  14 */ u"Beneficiário sem Fundo ou Clube de Investimentos correspondente",
    /*  15 */ u"Dedução sem rendimento",
    /*  16 */ u"Data de Geração da declaração inválida",
    /*  17 */ u"Identificador de tipo de beneficiário inválido",
    /*  18 */
    u"Registro com identificação de tipo de registro igual a 3 ou 6 (totalização de código) será descartado na "
    u"importação",
    /*  19 */ u"Identificador de tipo de registro inválido",
    /*  20 */ u"Este Fundo ou Clube não pertence a esta Pruv",
    /*  21 */ u"Este beneficiário não pertence a esta Pruv",
    /*  22 */ u"Este resumo não pertence a esta Pruv",
    /*  23 */ u"Este beneficiário/código não pertence a esta Pruv",
    /*  24 */ u"Estes rendimentos não pertencem a este beneficiário/código",
    /*  25 */ u"Estas deduções não pertencem a este beneficiário/código",
    /*  26 */ u"Estes impostos retidos não pertencem a este beneficiário/código",
    /*  27 */ u"Estes rendimentos/deduções subjúdice não pertencem a este beneficiário/código",
    /*  28 */ u"Estes depósitos judiciais/impostos retidos subjúdice não pertencem a este beneficiário/código",
    /*  29 */ u"Estas compensações subjúdice não pertencem a este beneficiário/código",
    /*  30 */ u"Você é Pessoa Jurídica de Direito Privado ?",
    /*  31 */ u"Confirma a exclusão do beneficiário %s para o código %s?",
    /*  32 */ u"Confirma a exclusão do Fundo ou Clube de Investimento %s?",
    /*  33 */ u"Deseja sair do programa?",
    /*  34 */
    u"As informações dos Fundos ou Clubes de Investimentos ficarão indisponíveis e não serão gravadas para entrega à "
    u"XEQ. Deseja continuar ?",
    /*  35 */ u"Classe abstrata não pode ser instanciada",
    /*  36 */ u"O CNPJ do Fundo ou Clube de Investimento não pode ser o mesmo do Administrador",
    /*  37 */ u"O código %s não é previsto para Fundo ou Clube de Investimento",
    /*  38 */ u"O código %s somente é previsto para Fundo ou Clube de Investimento",
    /*  39 */ u"Fundo ou Clube não pode ser beneficiário dele próprio",
    /*  40 */ u"Existe código/beneficiário repetido no administrador",
    /*  41 */ u"Código/beneficiário duplicado no arquivo",
    /*  42 */ u"O CNPJ do Fundo ou Clube de Investimento deverá ser sempre da matriz(0001)",
    /*  43 */ u"Pruv sem beneficiários e com Fundos ou Clubes de Investimentos",
    /*  44 */
    u"Por se tratar de ano-calendário %s, esta declaração substituirá integralmente as informações apresentadas em "
    u"declaração anterior.  A entrega de Pruv parcial por mais de um setor da empresa ocasiona perda de dados.  "
    u"Verifique e proceda a retificação com segurança",
    /*  45 */
    u"Para o ano-calendário %s, a declaração retificadora deverá ser apresentada somente com as informações a serem "
    u"alteradas, incluídas ou excluídas",
    /*  46 */
    u"A declaração do ano-calendário 2003 deve se referir a situações de extinção/encerramento de espólio/saída "
    u"definitiva do país",
    /*  47 */ u"CNPJ diferente de matriz \"0001\". CNPJ do declarante não pode ser filial",
    /*  48 */ u"Indicador de natureza do declarante inválido para ano-calendário anterior a 1999",
    /*  49 */ u"Indicador de natureza do declarante inválido",
    /*  50 */ u"Indicador de tipo de declaração diferente de \"O\" (original) ou \"R\" (retificadora)",
    /*  51 */ u"Identificação da espécie de beneficiário inválida",
    /*  52 */ u"Declaração ano-calendário 2003 deve ser de extinção",
    /*  53 */ u"Declaração ano-calendário 2003 deve ser de encerramento de espólio/saída definitiva do país",
    /*  54 */
    u"Para Declarações de anos-calendário 1999, 2000, 2001, 2002 e 2003, só será permitido o preenchimento da Pruv por "
    u"estabelecimento matriz (0001)",
    /*  55 */ u"Fundo ou Clube de Investimento inexistente",
    /*  56 */
    u"Natureza do declarante igual a 3 ( Instituição Administrado de Fundo ou Clube de Investimento) mas sem o grupo "
    u"de registros 4,5 e 6.",
    /*  57 */
    u"As informações dos beneficiários do Fundo ou Clube de Investimento deverão ser preenchidas na respectiva ficha",
    /*  58 */
    u"Existem Fundos ou Clubes de Investimentos preenchidos anteriormente que estão sendo incluídos nesta declaração",
    /*  59 */ u"Instituição administradora de Fundos ou Clubes sem o preenchimento da respectiva ficha",
    /*  60 */ u"Fundos ou Clubes de Investimentos preenchidos.  Não serão gravados para a entrega na XEQ",
    /*  61 */
    u"Este beneficiário pertence a um Fundo ou Clube de Investimento que está indisponível em virtude da natureza do "
    u"declarante",
    /*  62 */ u"Pruv inexistente",
    /*  63 */ u"Declarante inexistente",
    /*  64 */ u"Responsável inexistente",
    /*  65 */ u"Número de Inscrição no CPF/CNPJ inválido",
    /*  66 */ u"Número de Inscrição no CPF inválido",
    /*  67 */ u"Número de Inscrição no CNPJ inválido",
    /*  68 */ u"Número de Inscrição no CPF ausente",
    /*  69 */ u"Número de Inscrição no CNPJ ausente",
    /*  70 */ u"Número de Recibo inválido",
    /*  71 */ u"Número de recibo não preenchido",
    /*  72 */ u"Número de recibo preenchido em situação que não o exige",
    /*  73 */ u"Ano-calendário inválido",
    /*  74 */
    u"Já existe declaração para o CNPJ %s no Ano-calendário %s. Utilize a opção Abrir no menu Declaração ou corrija",
    /*  75 */
    u"Já existe declaração para o CPF %s no Ano-calendário %s. Utilize a opção Abrir no menu Declaração ou corrija",
    /*  76 */ u"Já existe o beneficiário %s para o código %s. Deseja substituí-lo?",
    /*  77 */ u"Nome incompleto ou inválido",
    /*  78 */ u"Nome Empresarial incompleto ou inválido",
    /*  79 */ u"CEP inválido. Informe com oito dígitos númericos",
    /*  80 */ u"Data inválida: este campo deve ser preenchido com dd/mm/aaaa. Exemplo: 16/07/1969",
    /*  81 */ u"Correio Eletrônico(E-Mail) inválido",
    /*  82 */ u"DDD inválido. Informe com no mínimo 2 dígitos numéricos",
    /*  83 */ u"Imposto retido maior ou igual ao rendimento tributável",
    /*  84 */ u"Rendimento tributável maior que 100.000 Reais",
    /*  85 */ u"Valor de deducões maior que 20.000 Reais",
    /*  86 */ u"Imposto retido, incluindo compensações por decisão judicial, maior que 20.000 Reais",
    /*  87 */ u"Rendimento tributável maior que 1.000.000 de Reais",
    /*  88 */ u"Imposto retido maior que 100.000 Reais",
    /*  89 */ u"Dedução sem rendimento",
    /*  90 */ u"Valores iguais a zero em todos os meses",
    /*  91 */ u"Deducão indevida para código/beneficiário",
    /*  92 */ u"Décimo terceiro indevido para o código de retenção %s",
    /*  93 */ u"Depósito maior que IRRF",
    /*  94 */ u"O código %s não admite valores de exigibilidade suspensa",
    /*  95 */ u"O código %s não admite valores de exigibilidade suspensa (depósito judicial)",
    /*  96 */ u"O código %s não admite valores de compensação de imposto por decisão judicial",
    /*  97 */ u"O compensação de imposto por decisão judicial sem rendimento tributável",
    /*  98 */ u"Beneficiário pessoa jurídica não admite valores de exigibilidade suspensa",
    /*  99 */ u"Beneficiário pessoa jurídica não admite valores de exigibilidade suspensa (depósito judicial)",
    /* 100 */ u"Beneficiário pessoa jurídica não admite valores de compensação de imposto por decisão judicial",
    /* 101 */ u"O ano-calendário %s não admite valores de exigibilidade suspensa",
    /* 102 */ u"O ano-calendário %s não admite valores de exigibilidade suspensa (depósito judicial)",
    /* 103 */ u"O ano-calendário %s não admite valores de compensação de imposto por decisão judicial",
    /* 104 */ u"Execedeu o limite de Erros/Avisos",
    /* 105 */ u"Ainda não existe declaração no disco. Escolha a opção NOVA",
    /* 106 */ u"Existe uma declaração aberta. Escolha a opção FECHAR",
    /* 107 */ u"Declaração já foi GERADA",
    /* 108 */ u"Declaração com ERRO",
    /* 109 */ u"O Código de Retenção %s é exclusivo para Pessoa Jurídica",
    /* 110 */ u"O Código de Retenção %s é exclusivo para Pessoa Física",
    /* 111 */ u"O Código de Retenção %s é exclusivo para Orgão Público Federal",
    /* 112 */
    u"Todos os pagamentos efetuados a beneficiários não identificados devem ser somados e registrados uma única vez",
    /* 113 */ u"Valor negativo ou inválido",
    /* 114 */ u"Valor inválido",
    /* 115 */ u"Sigla de UF inválida ou ausente",
    /* 116 */ u"O Código de Retenção %s não é válido",
    /* 117 */ u"O Código de Retenção %s não é válido para este ano-calendário",
    /* 118 */ u"O Código de Retenção %s não admite valores com exigibilidade suspensa",
    /* 119 */ u"Ano inválido",
    /* 120 */ u"Mes Inválido",
    /* 121 */ u"Nome deve ter no mínimo duas partes",
    /* 122 */ u"Nome deve ter no máximo quinze partes",
    /* 123 */ u"O primeiro nome deve ter no mínimo duas letras",
    /* 124 */ u"Cada palavra deve ter no máximo 20 caracteres",
    /* 125 */ u"Não deve haver repetição de 3 ou mais caracteres em uma parte do nome",
    /* 126 */ u"Não são válidos algarismos (0,1 ... 9) no Nome",
    /* 127 */ u"Ainda não foi criada nenhuma declaração. Use a opção Nova do menu Declaração",
    /* 128 */ u"Caracteres inválidos no Nome/NomeEmpresarial",
    /* 129 */ u"Tabela especificada não está aberta",
    /* 130 */ u"Telefone inválido. Informe com no mínimo 4 dígitos numéricos",
    /* 131 */ u"Ramal inválido. Informe com apenas dígitos numéricos",
    /* 132 */ u"Fundo ou Clube de Investimento sem beneficiários",
    /* 133 */ u"Pruv sem beneficiário só é permitida para uma retificadora, na exclusão de todos os beneficiários",
    /* 134 */ u"Pruv sem beneficiário",
    /* 135 */ u"Órgãos, autarquias e fundações da administração pública federal devem ser pessoa jurídica",
    /* 136 */ u"Nenhuma declaração foi selecionada",
    /* 137 */ u"Nenhum beneficiário foi selecionado",
    /* 138 */ u"Divergência da natureza do declarante entre estabelecimentos da mesma empresa",
    /* 139 */ u"Não foi possivel abrir arquivo %s",
    /* 140 */ u"Não foi possivel acessar tabela %s",
    /* 141 */ u"Não foi possivel atualizar a tabela %s",
    /* 142 */ u"Não foi possivel abrir a tabela %s",
    /* 143 */ u"Não foi possivel selecionar o índice %s",
    /* 144 */ u"Não foi possível eliminar as exclusões da tabela %s",
    /* 145 */ u"Não foi possível incluir uma nova declaração",
    /* 146 */ u"Não foi possível incluir uma novo declarante",
    /* 147 */ u"Não foi possível incluir um novo beneficiário",
    /* 148 */ u"Não foi possível incluir um novo responsável pelo preenchimento da declaração",
    /* 149 */ u"Não foi possível alocar memória",
    /* 150 */ u"Não há espaço em disco suficiente para executar o programa com segurança.  O programa será finalizado",
    /* 151 */ u"Não há espaço em disco suficiente para executar esta operação",
    /* 152 */ u"Não foi possível verificar o espaço em disco para executar esta operação",
    /* 153 */
    u"Não foi possível concluir a gravação da Declaração, devido a um erro na seqüência dos registros. Utilize a opção "
    u"Reorganizar Tabelas de Dados do menu Ferramentas e tente novamente",
    /* 154 */ u"Erro ao tentar excluir ou renomear arquivo",
    /* 155 */ u"Erro ao tentar fechar arquivo",
    /* 156 */ u"Ja existe recibo para esta declaração",
    /* 157 */ u"Erro na compactação da declaração. A declaração não foi gerada",
    /* 158 */ u"A geração da declaração foi cancelada.",
    /* 159 */ u"Erro na gravação do arquivo. Verifique o espaço em disco",
    /* 160 */ u"A configuração de formato numérico no Windows não está de acordo com o padrão brasileiro.",
    /* 161 */
    u"Para imprimir ou visualizar relatórios é necessário que exista pelo menos um driver de impressão instalado no "
    u"seu sistema",
    /* 162 */ u"O seu sistema não possui nenhuma impressora instalada",
    /* 163 */ u"Houve um erro de inicialização do banco de dados. Mensagem retornada: ",
    /* 164 */ u"Fundo para declarante que não é Administrador de Fundo ou Clube de Investimentos",
    /* 165 */ u"Valor excede o máximo permitido pelo programa: 99.999.999.999,99",
    /* 166 */ u"A diferença entre as deduções informadas no comprovante e na Pruv não é válida.",
    /* 167 */
    u"As deduções informadas no comprovante são maiores do que as informadas na Pruv. O comprovante deste beneficiário "
    u"não será impresso.",
    /* 168 */ u"O valor informado neste campo não pode exceder R$11.700,00",
    /* 169 */ u"O valor informado neste campo não pode exceder R$13.754,00",
    /* 170 */
    u"O código %s, conforme ADE Vimbe nº 9/2002, a partir de 17 de janeiro de 2002, aplica-se somente a beneficiário "
    u"Pessoa Jurídica.",
    /* 171 */
    u"O código %s foi extinto, conforme ADE Vimbe nº 9/2002, de 16 de janeiro de 2002. Só deverão ser informados, "
    u"neste código, os valores retidos até 16 de janeiro de 2002",
    /* 172 */ u"Registro tipo 1 ausente",
    /* 173 */ u"Identificação da espécie de declarante inválida",
    /* 174 */ u"Nome do Arquivo inválido",
    /* 175 */ u"Indicador de Situação da Declaração inválido",
    /* 176 */ u"Ano Referência inválido",
    /* 177 */
    u"As posições referentes ao filler, ou que são para uso da XEQ, devem ser preenchidas apenas com espaços em branco",
    /* 178 */ u"CPF do responsável perante o CNPJ inválido",
    /* 179 */ u"Mais de um registro do tipo 1 (dados do declarante) no arquivo",
    /* 180 */ u"Registro fora de seqüência",
    /* 181 */ u"Registro com código de retenção / beneficiário fora de ordem",
    /* 182 */ u"Número de seqüência inválido",
    /* 183 */ u"Número de seqüência fora de ordem",
    /* 184 */ u"Alteração de Código de Retenção sem o registro totalizador correspondente",
    /* 185 */ u"Arquivo finalizado sem o registro totalizador correspondente",
    /* 186 */ u"Declarante informado no registro totalizador divergente do informado nos registros anteriores",
    /* 187 */ u"Código de retenção informado no registro totalizador diferente do informado nos registros anteriores",
    /* 188 */ u"Total de registros de beneficiários informado no registro totalizador incorreto",
    /* 189 */ u"Valor no registro totalizador diferente do somatório dos registros anteriores",
    /* 190 */ u"Declarante informado divergente do informado no registro tipo 1 (dados do declarante)",
    /* 191 */ u"A Análise do arquivo detectou erros que não permitiram gerar a declaração",
    /* 192 */ u"CNPJ do responsável pela entrega diferente do CNPJ do Declarante",
    /* 193 */ u"Identificação do Tipo de Rendimento/Imposto inválido (diferente de 1 e de 2)",
    /* 194 */ u"Identificação do Tipo de Rendimento/Imposto em desacordo com valores da declaração",
    /* 195 */ u"Identificação do Tipo de Rendimento/Imposto inválido para este ano-calendário",
    /* 196 */ u"Tamanho inválido do registro. Verifique o leiaute especificado pela XEQ",
    /* 197 */ u"Arquivo com tamanho inválido, verifique se possui CRLF(enter) no final de cada linha",
};

}   // namespace

namespace Mensagens {

QString Texto(std::uint8_t codigo)
{
    if (codigo >= Quantidade)
        return {};
    return QString::fromUtf16(textos[codigo]);
}

}   // namespace Mensagens
