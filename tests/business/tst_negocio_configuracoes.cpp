// The company's quote settings (ZELT_N_Empresa.clsConfiguracoesDoOrcamento): the defaults
// before the first save, a save read back, every refusal of a bad value (nothing stored),
// a clerk refused, and the clinic's identification as the sheet prints it.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/ConfiguracoesDoOrcamento.h"

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using ZELT_N_Empresa::clsConfiguracoesDoOrcamento;

namespace {

using Ajuste = std::function<void(clsConfiguracoesDoOrcamento&)>;

// Settings that save: a deposit of 50 %, a CPF key and its receiver.
void Validas(clsConfiguracoesDoOrcamento& c) {
    c.QuantidadeDeDiasParaAValidadeDoOrcamento = 15;
    c.PermissaoParaAlterarADataDeValidadeDoOrcamento = false;
    c.PercentualDoSinal = VB::Currency::DeInteiro(50);
    c.SinalReembolsavel = true;
    c.ChavePix = u"529.982.247-25"_s;
    c.NomeDoRecebedor = u"Clínica Escola"_s;
    c.CidadeDoRecebedor = u"São Paulo"_s;
    c.CondicoesDePagamento = u"À vista no Pix ou em até 6x no cartão"_s;
    c.TextoDeConsentimento = u"Autorizo o procedimento."_s;
    c.VeterinarioResponsavel = u"Dra. Cecília Prado"_s;
    c.CRMV = u"12345"_s;
    c.UFDoCRMV = u"sp"_s;
    c.TiposDeServicosComConsentimento = {2, 3};
}

// Every setting but the consent, "|"-separated, in the window's order.
QString Descricao(const clsConfiguracoesDoOrcamento& c) {
    QStringList tipos;
    for (const qint32 tipo : c.TiposDeServicosComConsentimento)
        tipos << QString::number(tipo);
    return Juntos(c.QuantidadeDeDiasParaAValidadeDoOrcamento,
                  c.PermissaoParaAlterarADataDeValidadeDoOrcamento, c.PercentualDoSinal.DecimosDeMilesimos(),
                  c.SinalReembolsavel, c.ChavePix, c.NomeDoRecebedor, c.CidadeDoRecebedor,
                  c.CondicoesDePagamento, c.VeterinarioResponsavel, c.CRMV, c.UFDoCRMV, tipos.join(u';'));
}

} // namespace

class TesteDasConfiguracoes : public TesteDeNegocio {
    Q_OBJECT

    std::unique_ptr<clsConfiguracoesDoOrcamento> Configuracoes(QObject* usuario) {
        auto c = Zelt::CriarObjeto<clsConfiguracoesDoOrcamento>(ProgId::ConfiguracoesDoOrcamento);
        c->DadosDoUsuario = usuario;
        return c;
    }

private slots:
    void antes_de_gravar_valem_os_padroes() {
        Banco::Executar(
            u"UPDATE Empresa SET Logradouro = 'Rua das Flores', Numero = '12', Bairro = 'Centro', "
            "Cidade = 'Campinas', UF = 'SP', CEP = '13010-000', CNPJ = '11.444.777/0001-61', "
            "Telefone = '(19) 3232-1000'"_s);
        auto c = Configuracoes(musuario.get());
        QCOMPARE(c->Ler(), Resultado::Sucesso);
        QCOMPARE(Descricao(*c), u"10|1|0|0||Clínica Escola|Campinas|||||"_s);
        QCOMPARE(c->TextoDeConsentimento, ConfiguracoesDoOrcamento::TextoDeConsentimentoPadrao);
        QCOMPARE((QStringList{c->NomeFantasia, c->RazaoSocial, c->CNPJ, c->Endereco, c->Telefone}),
                 (QStringList{u"Clínica Escola"_s, u"Clínica Escola Ltda."_s, u"11.444.777/0001-61"_s,
                              u"Rua das Flores, 12 - Centro - Campinas/SP - CEP 13010-000"_s,
                              u"(19) 3232-1000"_s}));
    }

    void gravadas_e_lidas_de_volta() {
        auto c = Configuracoes(musuario.get());
        Validas(*c);
        QCOMPARE(c->Gravar(), Resultado::Sucesso);
        QCOMPARE(c->ChavePix, u"52998224725"_s); // stored as the directory keeps it
        auto lidas = Configuracoes(musuario.get());
        QCOMPARE(lidas->Ler(), Resultado::Sucesso);
        QCOMPARE(Descricao(*lidas),
                 u"15|0|500000|1|52998224725|Clínica Escola|São Paulo|À vista no Pix ou em "
                 "até 6x no cartão|Dra. Cecília Prado|12345|SP|2;3"_s);
        QCOMPARE(lidas->TextoDeConsentimento, u"Autorizo o procedimento."_s);
        // Saved again: the one row of the company is replaced, not added to.
        lidas->PercentualDoSinal = VB::Currency();
        lidas->ChavePix.clear();
        QCOMPARE(lidas->Gravar(), Resultado::Sucesso);
        QCOMPARE(Textos(u"SELECT PercentualDoSinal || '|' || ChavePix FROM ConfiguracoesDoOrcamento"_s),
                 QStringList{u"0|"_s});
    }

    // Each bad value: rejected (2) naming the field and why, and nothing stored.
    void valores_recusados_data() {
        Colunas<Ajuste, QString, QString>("ajuste", "campo", "mensagem");
        Linha("validade negativa", Ajuste([](auto& c) { c.QuantidadeDeDiasParaAValidadeDoOrcamento = -1; }),
              u"QuantidadeDeDiasParaAValidadeDoOrcamento"_s,
              u"A validade do orçamento deve ser de 0 a 3650 dias."_s);
        Linha("sinal acima de 100",
              Ajuste([](auto& c) { c.PercentualDoSinal = VB::Currency::DeDecimosDeMilesimos(1000001); }),
              u"PercentualDoSinal"_s, u"O percentual do sinal deve ser de 0 a 100 (0: sem sinal)."_s);
        Linha("sinal negativo", Ajuste([](auto& c) { c.PercentualDoSinal = VB::Currency::DeInteiro(-5); }),
              u"PercentualDoSinal"_s, u"O percentual do sinal deve ser de 0 a 100 (0: sem sinal)."_s);
        Linha("CPF errado", Ajuste([](auto& c) { c.ChavePix = u"529.982.247-26"_s; }), u"ChavePix"_s,
              u"A chave Pix \"529.982.247-26\" parece um CPF, mas os dígitos verificadores não conferem."_s);
        Linha("chave sem recebedor", Ajuste([](auto& c) { c.NomeDoRecebedor = u"  "_s; }),
              u"NomeDoRecebedor"_s,
              u"Informe o nome do recebedor do Pix (o nome que o banco do cliente mostra)."_s);
        Linha("chave sem cidade", Ajuste([](auto& c) { c.CidadeDoRecebedor.clear(); }),
              u"CidadeDoRecebedor"_s, u"Informe a cidade do recebedor do Pix."_s);
        Linha("condições longas", Ajuste([](auto& c) { c.CondicoesDePagamento = QString(301, u'x'); }),
              u"CondicoesDePagamento"_s, u"As condições de pagamento devem ter até 300 caracteres."_s);
        Linha("sem consentimento", Ajuste([](auto& c) { c.TextoDeConsentimento = u" "_s; }),
              u"TextoDeConsentimento"_s, u"Informe o texto do consentimento."_s);
        Linha("UF desconhecida", Ajuste([](auto& c) { c.UFDoCRMV = u"XX"_s; }), u"UFDoCRMV"_s,
              u"A UF do CRMV \"XX\" não é uma unidade da federação."_s);
        Linha("tipo de serviço desconhecido", Ajuste([](auto& c) {
                  c.TiposDeServicosComConsentimento = {2, 55};
              }),
              u"TiposDeServicosComConsentimento"_s, u"O tipo de serviço 55 não está cadastrado."_s);
    }
    void valores_recusados() {
        QFETCH(Ajuste, ajuste);
        QFETCH(QString, campo);
        QFETCH(QString, mensagem);
        auto c = Configuracoes(musuario.get());
        Validas(*c);
        ajuste(*c);
        QCOMPARE(c->Gravar(), Resultado::Rejeitado);
        QCOMPARE(c->NomeDoCampoValidado, campo);
        QCOMPARE(c->DescricaoDaFalha, mensagem);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ConfiguracoesDoOrcamento"), qint64(0));
        QCOMPARE(Numero("SELECT QuantidadeDeDiasParaAValidadeDoOrcamento FROM Empresa"), qint64(10));
    }

    void um_balconista_nao_grava() {
        auto balconista = Usuario(u"BIA"_s, false);
        auto c = Configuracoes(balconista.get());
        Validas(*c);
        QCOMPARE(c->Gravar(), Resultado::Recusado);
        QCOMPARE(c->DescricaoDaFalha,
                 u"Somente um administrador pode alterar as configurações do orçamento."_s);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ConfiguracoesDoOrcamento"), qint64(0));
        // Reading is anyone's: the sheet of every quote needs it.
        QCOMPARE(c->Ler(), Resultado::Sucesso);
    }

    void sem_empresa_recusa() {
        Banco::Executar(u"DELETE FROM Empresa"_s);
        auto c = Configuracoes(musuario.get());
        const QString falha =
            u"Não há empresa cadastrada: cadastre a empresa antes de configurar o orçamento."_s;
        QCOMPARE(c->Ler(), Resultado::Recusado);
        QCOMPARE(c->DescricaoDaFalha, falha);
        Validas(*c);
        QCOMPARE(c->Gravar(), Resultado::Recusado);
        QCOMPARE(c->DescricaoDaFalha, falha);
    }
};

QTEST_GUILESS_MAIN(TesteDasConfiguracoes)
#include "tst_negocio_configuracoes.moc"
