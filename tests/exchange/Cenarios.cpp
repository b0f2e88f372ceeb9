#include "FonteSimulada.h"

// The data of the golden files: each declaration as stored, with its items in code order.

namespace {

using S = TItemEntrega::TSerie;

QString T(const char* texto)
{
    return QString::fromUtf8(texto);
}

TDeclaracaoEntrega Declaracao(const char* Ni, const char* NiFormatado, const char* Nome, int Natureza,
                              const char* RespCnpj)
{
    TDeclaracaoEntrega d;
    d.Ano = QStringLiteral("2002");
    d.Ni = T(Ni);
    d.NiFormatado = T(NiFormatado);
    d.PessoaFisica = d.Ni.size() == 11;
    d.Nome = T(Nome);
    d.Natureza = Natureza;
    d.CpfRespCnpj = T(RespCnpj);
    return d;
}

TResponsavelEntrega Responsavel(const char* Cpf, const char* CpfFormatado, const char* Nome, const char* DDD,
                                const char* Fone, const char* FoneFormatado, const char* Ramal, const char* Fax,
                                const char* FaxFormatado, const char* Email)
{
    return {T(Cpf),           T(CpfFormatado), T(Nome), T(DDD),          T(Fone),
            T(FoneFormatado), T(Ramal),        T(Fax),  T(FaxFormatado), T(Email)};
}

TAnexoEntrega Anexo(const char* Chave, const char* Ni, const char* NiFormatado, const char* Nome)
{
    return {T(Chave), T(Ni), T(NiFormatado), false, T(Nome)};
}

}   // namespace

Cenario PessoaFisica()
{
    Cenario c;
    TDeclaracaoEntrega d = Declaracao("11144477735", "111.444.777-35", "José D'Ávila Conceição Jr.", 0, "");
    d.PossuiSubJudice = true;
    d.Responsavel = Responsavel("52998224725", "529.982.247-25", "Maria da Glória O'Neil", "51", "32221234",
                                "3222-1234", "12345678", "", "", "maria.oneil@exemplo.com.br");
    c.Fonte.Declaracoes.push_back({d, {}, {}});
    auto& itens = c.Fonte.Declaracoes[0].Itens;
    itens.push_back(ItemSimulado("0561", "12345678909", "Ana Lúcia Peçanha")
                        .Em(S::Rendimento, 1, 13, Reais(100000))
                        .Em(S::Deducao, 1, Reais(10000))
                        .Em(S::Imposto, 1, 13, Reais(5025))
                        .Em(S::Imposto, 2, 502550));   // half a cent more: rounds up
    itens.push_back(ItemSimulado("0561", "98765432100", "Bruno Sá")
                        .Em(S::Rendimento, 3, Reais(250050))
                        .Em(S::Imposto, 3, Reais(10001)));
    itens.push_back(ItemSimulado("0588", "45612378955", "Carla Müller")
                        .Em(S::Rendimento, 12, Reais(1000000))
                        .Em(S::Imposto, 12, Reais(123456))
                        .Em(S::CompensacaoAno, 12, Reais(20000))
                        .Em(S::CompensacaoAnosAnteriores, 1, Reais(1000))
                        .Em(S::Deposito, 12, Reais(30000)));
    c.Chaves = QStringList{QStringLiteral("2002111444777")};
    c.Uf = QStringLiteral("RS");
    return c;
}

Cenario EmpresaDoisEstabelecimentos()
{
    Cenario c;
    const TResponsavelEntrega pedro = Responsavel("52998224725", "529.982.247-25", "Pedro Álvares", "011", "987654321",
                                                  "98765-4321", "", "33334444", "3333-4444", "pedro@comercio.com.br");
    TDeclaracaoEntrega matriz = Declaracao("11222333000181", "11.222.333/0001-81", "Comércio & Filhos Ltda.", 0,
                                           "11144477735");
    matriz.Responsavel = pedro;
    TDeclaracaoEntrega filial = Declaracao("11222333000262", "11.222.333/0002-62", "Comércio & Filhos Ltda. - Filial",
                                           0, "74185296355");
    filial.Responsavel = pedro;
    c.Fonte.Declaracoes.push_back({matriz, {}, {}});
    c.Fonte.Declaracoes[0].Itens.push_back(ItemSimulado("0561", "32165498791", "Luís Gonçalves")
                                               .Em(S::Rendimento, 1, 13, Reais(300000))
                                               .Em(S::Deducao, 1, 12, Reais(18959))
                                               .Em(S::Imposto, 1, 13, Reais(25000)));
    c.Fonte.Declaracoes[0].Itens.push_back(ItemSimulado("1708", "44556677000186", "Serviços Técnicos S.A.")
                                               .Em(S::Rendimento, 6, Reais(1500000))
                                               .Em(S::Imposto, 6, Reais(22500)));
    c.Fonte.Declaracoes.push_back({filial, {}, {}});
    c.Fonte.Declaracoes[1].Itens.push_back(ItemSimulado("0561", "36925814755", "Vânia Araújo")
                                               .Em(S::Rendimento, 5, Reais(180000))
                                               .Em(S::Imposto, 5, Reais(1230)));
    c.Chaves = QStringList{QStringLiteral("2002112223330001"), QStringLiteral("2002112223330002")};
    c.Uf = QStringLiteral("SP");
    return c;
}

Cenario Retificadora()
{
    Cenario c;
    TDeclaracaoEntrega d = Declaracao("99887766000105", "99.887.766/0001-05", "Prefeitura Municipal de São João", 1,
                                      "12345678909");
    d.Tipo = QStringLiteral("R");
    d.SituacaoEspecial = true;
    d.PossuiSubJudice = true;
    d.Responsavel = Responsavel("98765432100", "987.654.321-00", "Antônio Brandão", "61", "1234", "1234", "7", "", "",
                                "");
    c.Fonte.Declaracoes.push_back({d, {}, {}});
    c.Fonte.Declaracoes[0].Itens.push_back(ItemSimulado("0561", "12345678909", "Fábio Nóbrega")
                                               .Em(S::Rendimento, 1, 12, Reais(500000))
                                               .Em(S::Imposto, 1, 12, Reais(80000))
                                               .Em(S::RendimentoSubJudice, 7, Reais(100000))
                                               .Em(S::DeducaoSubJudice, 7, Reais(5000))
                                               .Em(S::ImpostoSubJudice, 7, Reais(15000)));
    c.Chaves = QStringList{QStringLiteral("2002998877660001")};
    c.Uf = QStringLiteral("DF");
    c.Recibo = QStringLiteral("123456789091");
    return c;
}

Cenario AdministradoraDeFundos()
{
    Cenario c;
    TDeclaracaoEntrega d = Declaracao("33445566000186", "33.445.566/0001-86", "Gestora Horizonte Ltda", 3,
                                      "45612378955");
    d.PossuiSubJudice = true;   // the deposit of an annex counts in the declaration's totals
    d.Responsavel = Responsavel("36925814755", "369.258.147-55", "Célia Rocha", "21", "25551234", "2555-1234", "", "",
                                "", "celia@horizonte.com.br");
    c.Fonte.Declaracoes.push_back({d, {}, {}});
    FonteSimulada::Declaracao& adm = c.Fonte.Declaracoes[0];
    adm.Itens.push_back(ItemSimulado("1708", "21212121000177", "Auditores Reunidos Ltda")
                            .Em(S::Rendimento, 2, Reais(800000))
                            .Em(S::Imposto, 2, Reais(12000)));
    adm.Anexos.push_back({Anexo("00001", "55667788000186", "55.667.788/0001-86", "Fundo Alfa de Ações"), {}});
    adm.Anexos[0].second.push_back(ItemSimulado("6800", "12345678909", "Ana Lúcia Peçanha")
                                       .Em(S::Rendimento, 1, Reais(50000))
                                       .Em(S::Imposto, 1, Reais(10000)));
    adm.Anexos[0].second.push_back(ItemSimulado("6800", "98765432100", "Bruno Sá")
                                       .Em(S::Rendimento, 2, Reais(70000))
                                       .Em(S::Imposto, 2, Reais(14000)));
    adm.Anexos[0].second.push_back(ItemSimulado("6813", "30303030000138", "Clube Gama")
                                       .Em(S::Rendimento, 3, Reais(100000))
                                       .Em(S::Imposto, 3, Reais(20000)));
    adm.Anexos.push_back({Anexo("00002", "99887766000105", "99.887.766/0001-05", "Clube de Investimento Beta"), {}});
    adm.Anexos[1].second.push_back(ItemSimulado("3223", "45612378955", "Carla Müller")
                                       .Em(S::Rendimento, 12, Reais(200000))
                                       .Em(S::Imposto, 12, Reais(30000))
                                       .Em(S::Deposito, 12, Reais(5000)));
    c.Chaves = QStringList{QStringLiteral("2002334455660001")};
    c.Uf = QStringLiteral("RJ");
    return c;
}

TPedidoGeracao Cenario::Pedido(const TVolume& Volume, int Registros) const
{
    TPedidoGeracao pedido;
    pedido.Chaves = Chaves;
    pedido.Volume = Volume;
    pedido.Uf = Uf;
    pedido.NumeroRecibo = Recibo;
    pedido.Registros = Registros;
    return pedido;
}
