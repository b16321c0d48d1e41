// The record form's items and their saving, driven as a person drives them: values,
// checks, item commands and totals; what each mode stores and each answer of the business
// layer; printing, two workstations, money to the cent, the list selecting again. Clients
// and items are filled in as the lookups leave them (texts, Status 0, cost in the Tag).

#include "tests/Linha.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "component/modImpressao.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

// 2 × 120,00 less 10 %; 1,5 × 219,90 = 329,85 less 5 % (16,4925 shown as 16,49).
const QString Consulta = u"2|120,00|10,00|24,00"_s, Racao = u"1,5|219,90|5,00|16,49"_s;
const QString LinhaDaConsulta = u"1|1|Consulta clínica|10|Rex|2|120,00|10,00|24,00|216,00|48,00|0|1|1|1"_s;
const QString LinhaDaRacao =
    u"7891234567895|100|Ração Cães 15 kg|10|Rex|1,500|219,90|5,00|16,49|313,36|145,00|0|1|2|1"_s;
const QString TotaisDeAmbos = u"569,85|7,11|40,49|529,36"_s; // the weighted discount, 40,49 of 569,85
const QString Valores = u"xrnumQuantidade|xrnumValorUnitario|xrnumPercentualDeDescontoPorItem|"
                        u"xrnumValorDeDescontoPorItem"_s;
const QString Descontos = u"xrnumPercentualDeDescontoPorItem|xrnumValorDeDescontoPorItem"_s;

QString Moeda(VB::Currency valor) {
    return VB::CStr(QVariant::fromValue(valor));
}

QString Dia(int dias) {
    return QDate::currentDate().addDays(dias).toString(u"dd/MM/yyyy"_s);
}

// The stored quote's column (or expression), and its items'.
qint64 DoOrcamento(const QString& expressao, double numero) {
    return BancoDeTeste::Numero(u"SELECT %1 FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s.arg(expressao),
                                {numero});
}

qint64 DosItens(const QString& expressao, double numero) {
    return BancoDeTeste::Numero(
        u"SELECT %1 FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"_s.arg(expressao), {numero});
}

QString Validade(double numero) {
    const QVariant v = Banco::Valor(
        u"SELECT DataDeValidadeDoOrcamento FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s, {numero});
    return QDate::fromString(v.toString().left(10), Qt::ISODate).toString(u"dd/MM/yyyy"_s);
}

// A quotes object that records what the form hands over ("method|number|client|animal|
// total|percentage|discount|net|validity|stamp read") and answers what the test sets.
struct RoteiroDaGravacao {
    qint16 Resultado = 0;
    QString Campo;
    QStringList Envios;
};
RoteiroDaGravacao& Gravacao() {
    static RoteiroDaGravacao roteiro;
    return roteiro;
}

class OrcamentosQueRespondem final : public ZELT_N_Orcamentos::clsOrcamentos {
public:
    OrcamentosQueRespondem() { NumeroDoOrcamento = -1; } // tells "never set" apart
    QVariant Selecionar(qint32, qint16&, qint32, const QString&, double, double) override { return true; }
    void PaginarResultadoDaSelecaoEmRecordset(qint16&, RecordsetPtr&) override {}
    qint16 Adicionar() override { return Responder(u"Adicionar"_s); }
    qint16 Alterar() override { return Responder(u"Alterar"_s); }
    qint16 Excluir() override { return Responder(u"Excluir"_s); }

private:
    qint16 Responder(const QString& metodo) {
        QStringList envio{metodo, VB::CStr(NumeroDoOrcamento), VB::CStr(CodigoDoCliente),
                          QString::number(CodigoDoAnimal)};
        for (VB::Currency v : {ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido})
            envio << Moeda(v);
        Gravacao().Envios << (envio << DataDeValidadeDoOrcamento << DataEHoraDaAlteracaoLida).join(u'|');
        NumeroDoErro = 3704;
        DescricaoDoErro = u"Falha na gravação"_s;
        LocalDoErro = u"ZELT_N_Orcamentos, clsOrcamentos, Gravar, Ponto: 7"_s;
        NomeDoCampoValidado = Gravacao().Campo;
        DescricaoDaFalha = u"Recusado: "_s + Gravacao().Campo;
        return Gravacao().Resultado;
    }
};

void RoteirizarGravacao(qint16 resultado, const QString& campo = QString()) {
    Gravacao() = RoteiroDaGravacao{resultado, campo, {}};
    Zelt::RegistrarProgId(ProgId::Orcamentos, [] { return std::make_unique<OrcamentosQueRespondem>(); });
}

} // namespace

class TesteDosItensDaFicha : public TesteDaFicha {
    Q_OBJECT

protected:
    void Encerrar() override { mformulario = nullptr; }

private slots:

    void teclasEDescontosQueSeSeguem() {
        AbrirDoHost();
        Ativar();
        PreencherServico(u"1|120,00|10,00|12,00"_s);
        Digitar(u"xrnumQuantidade"_s, u"3.,a"_s); // whole units for a service; the selected "1" is typed over
        Sair();                                   // a new quantity: the percentage stays, the value follows
        QCOMPARE(Textos(u"xrnumQuantidade|"_s + Descontos), u"3|10,00|36,00"_s);
        Digitar(u"xrnumValorDeDescontoPorItem"_s, u"0"_s); // a value of 0 keeps the percentage's text
        Sair();
        QCOMPARE(Textos(Descontos), u"10,00|0,00"_s);
        Digitar(u"xrnumQuantidade"_s, u"3"_s); // leaving the quantity brings the value back
        Sair();
        QCOMPARE(Textos(Descontos), u"10,00|36,00"_s);
        // "." types a comma; a second comma is refused, also over a selected text with one.
        Digitar(u"xrnumPercentualDeDescontoPorItem"_s, u"1.2,5"_s);
        Sair();
        Digitar(u"xrnumPercentualDeDescontoPorItem"_s, u","_s);
        QCOMPARE(Textos(Descontos), u"1,25|4,50"_s);
        PreencherProduto(u"1,000|219,90|0,00|0,00"_s); // a product's quantity takes decimals
        Digitar(u"xrnumQuantidade"_s, u"2.5,3x"_s);
        Sair();
        QCOMPARE(Textos(u"xrnumQuantidade"_s) + TomarMensagens(), u"2,53"_s);

        // A discount before the quantity or the unit value: refused, zero, the focus kept.
        PreencherServico(u"0|120,00|0,00|0,00"_s);
        Digitar(u"xrnumPercentualDeDescontoPorItem"_s, u"10"_s);
        Sair();
        PreencherServico(u"2|0,00|0,00|0,00"_s);
        Digitar(u"xrnumValorDeDescontoPorItem"_s, u"5"_s);
        Caixa(u"xrnumQuantidade"_s)->SetFocus();
        QCOMPARE(
            TomarMensagens() + u'|' + Textos(Descontos) + u'|' + Foco(),
            u"Informe a quantidade antes do desconto.|Informe o valor unitário antes do desconto.|0,00|0,00|"
            u"xrnumValorDeDescontoPorItem"_s);
        Caixa(u"xrnumQuantidade"_s)->setText(u","_s);
        Caixa(u"xrnumQuantidade"_s)->SetFocus();
        Sair();
        QCOMPARE(TomarMensagens() + u'|' + Textos(u"xrnumQuantidade"_s) + u'|' + Foco(),
                 u"Informe um valor numérico para a quantidade.|0|xrnumQuantidade"_s);
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void validacaoDoItemNaOrdem() {
        // Message | red label | focus | a box read as its zero text when empty | that text.
        const QString naoFinalizada =
            u"A pesquisa de produto não foi finalizada. \r\nClique no botão pesquisar (Lupa) do campo '%1'."_s;
        const QList<QPair<std::function<void()>, QString>> casos{
            {[] {}, u"Selecione o cliente.|lblApelidoOuNomeFantasiaDoCliente|xrfCodigoDoCliente"_s},
            // The host's animal is locked: the focus stays where it was.
            {[&] { No<XRComboBox>(u"xrcmbAnimal"_s)->setListIndex(-1); },
             u"Selecione o animal.|lblNomeDoAnimal|xrnumValorUnitario"_s},
            {[&] { No(u"xrcmbTiposDeServicos"_s)->setEnabled(false); },
             u"Selecione o tipo de serviço.|lblTipoDeServicoOuCodigoDeBarrasDoProduto|xrcmbTiposDeServicos"_s},
            {[&] {
                 PreencherServico(u"1|1"_s);
                 No<XRFind>(u"xrfCodigoDoServico"_s)->setText(u" "_s);
                 No<XRFind>(u"xrfNomeDoServico"_s)->setText(QString());
             },
             u"Selecione o serviço.|lblNomeDoServicoOuNomeDoProduto|xrfNomeDoServico"_s},
            {[&] { PreencherProduto(u"1|1"_s, QString(), QString()); },
             u"Selecione o produto.|lblNomeDoServicoOuNomeDoProduto|xrfNomeDoProduto"_s},
            {[&] { PreencherProduto(u"1|1"_s, QString()); },
             naoFinalizada.arg(u"Nome do produto"_s) + u"||xrfNomeDoProduto"_s},
            {[&] { PreencherProduto(u"1|1"_s, u"100"_s, QString()); },
             naoFinalizada.arg(u"Código interno do produto"_s) + u"||xrfCodigoInternoDoProduto"_s},
            {[&] { PreencherProduto(u"|219,90"_s); },
             u"Informe a quantidade.|lblQuantidade|xrnumQuantidade|xrnumQuantidade|0,000"_s},
            // A negative quantity (pasted: the keys refuse the sign) has its own message.
            {[&] { PreencherServico(u"-2|120,00"_s); },
             u"Informe uma quantidade maior que 0 (zero).|lblQuantidade|xrnumQuantidade"_s},
            {[&] { PreencherServico(u"1"_s); },
             u"Informe um valor unitário maior que 0,00 (zero).|lblValorUnitario|"
             u"xrnumValorUnitario|xrnumValorUnitario|0,00"_s},
            {[&] { PreencherServico(u"2|10,00|0,00|20,01"_s); },
             u"Valor de desconto não pode ser maior que o valor total do item.|lblValorDeDescontoPorItem|"
             u"xrnumValorDeDescontoPorItem"_s},
            // An earlier refusal's label turns grey again; the client's title keeps its colour.
            {[&] {
                 PreencherServico(u"1|10,00|100,01|0,00"_s);
                 No<Label>(u"lblQuantidade"_s)->setForeColor(255);
                 No<Label>(u"lblCliente"_s)->setForeColor(255);
             },
             u"Percentual de desconto do item não pode ser maior que 100%.|lblCliente|"
             u"xrnumPercentualDeDescontoPorItem"_s}};
        for (const auto& [preparar, esperado] : casos) {
            // Without a client only from the list: the host always gives one.
            &preparar == &casos[0].first ? AbrirDaLista(frmFicha::Inclusao) : AbrirDoHost();
            Ativar();
            preparar();
            Sair();
            Clicar(u"xrcmdAdicionar"_s);
            const QStringList e = Lista(esperado);
            QCOMPARE(TomarMensagens() + u'|' + RotulosVermelhos() + u'|' + Foco(), e.mid(0, 3).join(u'|'));
            QCOMPARE(Grade()->Rows(), 1);
            if (e.size() > 3) QCOMPARE(Textos(e[3]), e[4]);
        }
        // A discount of exactly 100 %, equal to the item's total (3 × 0,70), is accepted.
        PreencherProduto(u"3|0,70|100,00|2,10"_s);
        Clicar(u"xrcmdAdicionar"_s);
        QCOMPARE(TomarMensagens() + Grade()->TextMatrix(1, GradeDeItens::ValorTotal), u"0,00"_s);
    }

    void valorQueNaoCabeNaCaixaRecusadoSemCortar() {
        AbrirDoHost();
        Ativar();
        PreencherProduto(u"1,000|219,90|0,00|0,00"_s);
        // Typed past what its box can show once left: refused with the box's name, the text
        // kept and focused; then a value that fits.
        for (const QString& caso :
             {u"xrnumQuantidade|1000000000|uma quantidade|Qtde.|1000000"_s,
              u"xrnumValorUnitario|99999999999999|um valor unitário|Val. Unit.|219,90"_s,
              u"xrnumValorDeDescontoPorItem|999999999999|um valor de desconto|Val. Desc.|0"_s,
              u"xrnumPercentualDeDescontoPorItem|999999999999|um percentual de desconto|(%) Desc.|0"_s}) {
            const QStringList c = Lista(caso);
            const QString outra =
                c[0] == u"xrnumValorUnitario"_s ? u"xrnumQuantidade"_s : u"xrnumValorUnitario"_s;
            Digitar(c[0], c[1]);
            Caixa(outra)->SetFocus();
            QCOMPARE(TomarMensagens() + u'|' + Textos(c[0]) + u'|' + Foco(),
                     u"Informe %1 menor. O valor informado não cabe no campo '%2'.|%3|%4"_s.arg(c[2], c[3],
                                                                                                c[1], c[0]));
            Digitar(c[0], c[4]);
            Caixa(outra)->SetFocus();
        }
        QCOMPARE(Textos(Valores) + TomarMensagens(), u"1.000.000,00|219,90|0,00|0,00"_s);
        // The million goes whole into the grid, the totals and the stored quote.
        Clicar(u"xrcmdAdicionar"_s);
        QCOMPARE(Grade()->TextMatrix(1, GradeDeItens::Quantidade) + u'|' + Textos(Totais),
                 u"1.000.000,000|219.900.000,00|0,00|0,00|219.900.000,00"_s);
        modImpressao::ImprimirFicha = [](double, VB::Currency, VB::Currency, VB::Currency, VB::Currency) {};
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        modImpressao::ImprimirFicha = nullptr;
        const double numero = BancoDeTeste::Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos");
        QCOMPARE(DosItens(u"Quantidade"_s, numero), 1000000LL * 10000);
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void dinheiroDentroDoIntervaloDaMoeda() {
        AbrirDoHost();
        Ativar();
        // 1.100.000 × 900.000.000 passes the money range: refused as it is typed.
        PreencherServico(u"1|900000000,00|0,00|0,00"_s);
        Digitar(u"xrnumQuantidade"_s, u"1100000"_s);
        Sair();
        QCOMPARE(
            TomarMensagens() + u'|' + Foco(),
            u"Valor total do item ultrapassa o limite permitido. Informe uma quantidade ou um valor unitário "
            u"menor.|xrnumQuantidade"_s);
        Digitar(u"xrnumQuantidade"_s, u"600000"_s);
        Sair();
        Clicar(u"xrcmdAdicionar"_s);
        const QString umItem = u"2|540.000.000.000.000,00|0,00|0,00|540.000.000.000.000,00"_s;
        QCOMPARE(QString::number(Grade()->Rows()) + u'|' + Textos(Totais), umItem);
        // A second one would pass it in the quote's total: refused before the grid takes it.
        PreencherServico(u"600000|900000000,00|0,00|0,00"_s);
        Clicar(u"xrcmdAdicionar"_s);
        QCOMPARE(TomarMensagens() + u'|' + Foco(),
                 u"Valor total do orçamento ultrapassa o limite permitido. Este item não pode ser "
                 u"adicionado.|xrnumQuantidade"_s);
        QCOMPARE(QString::number(Grade()->Rows()) + u'|' + Textos(Totais), umItem);
        // What fits is stored whole: the header is the sum of its items.
        PreencherServico(u"1|900000000,00|0,00|0,00"_s);
        Clicar(u"xrcmdAdicionar"_s);
        // A total typed beyond money, or not a number, is refused before anything is stored.
        for (const QString& valor : {u"1e308"_s, u"abc"_s}) {
            Caixa(u"xrnumDescontoEmPercentual"_s)->setText(valor);
            Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        }
        QCOMPARE(TomarMensagens() + u'|' +
                     QString::number(BancoDeTeste::Numero("SELECT COUNT(*) FROM Orcamentos")),
                 u"O valor de \"(%) Desconto\" é grande demais.|O valor de \"(%) Desconto\" não é um "
                 "número.|0"_s);
        Caixa(u"xrnumDescontoEmPercentual"_s)->setText(u"0,00"_s);
        modImpressao::ImprimirFicha = [](double, VB::Currency, VB::Currency, VB::Currency, VB::Currency) {};
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        modImpressao::ImprimirFicha = nullptr;
        const double numero = BancoDeTeste::Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos");
        QCOMPARE(DoOrcamento(u"ValorTotal"_s, numero), 540000900000000LL * 10000);
        QCOMPARE(DosItens(u"SUM(ValorTotal)"_s, numero), 540000900000000LL * 10000);
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void adicionarAlterarERemoverComTotais() {
        AbrirDoHost();
        Ativar();
        PreencherServico(Consulta);
        Clicar(u"xrcmdAdicionar"_s);
        QCOMPARE(Linha(1) + Textos(Totais), LinhaDaConsulta + u"240,00|10,00|24,00|216,00"_s);
        QVERIFY(Grade()->Visible() && !No(u"lblMensagemDeResultado"_s)->Visible());
        // The next service: no type, zero values in closed boxes, the focus on the type.
        QCOMPARE(No<XRComboBox>(u"xrcmbTiposDeServicos"_s)->ListIndex(), -1);
        QCOMPARE(Textos(Valores) + u'|' + Foco(), u"0|0,00|0,00|0,00|xrcmbTiposDeServicos"_s);
        QVERIFY(Caixa(u"xrnumValorUnitario"_s)->Locked());

        PreencherProduto(Racao);
        Clicar(u"xrcmdAdicionar"_s);
        QCOMPARE(Linha(2) + Textos(Totais), LinhaDaRacao + TotaisDeAmbos);
        // The new row selected, no spare row left; the next product's fields cleared.
        QCOMPARE(Grade()->Rows() * 10 + Grade()->RowSel(), 32);
        QCOMPARE(Textos(u"xrfCodigoInternoDoProduto|xrfNomeDoProduto|xrnumQuantidade"_s) + Foco(),
                 u"||0,000xrfCodigoInternoDoProduto"_s);

        // Change: the row back into the fields, out of the grid and the totals until it is
        // added again, at the end, unstored.
        Grade()->setRow(1);
        QCOMPARE(Grade()->CellBackColor(), 0xF2F2F2);
        Clicar(u"xrcmdAlterar"_s);
        auto* tipos = No<XRComboBox>(u"xrcmbTiposDeServicos"_s);
        QVERIFY(No<OptionButton>(u"optServico"_s)->Value() && tipos->ItemData(tipos->ListIndex()) == 1);
        QCOMPARE(Textos(u"xrfCodigoDoServico|xrfNomeDoServico"_s) + No(u"xrfNomeDoServico"_s)->Tag(),
                 u"1|Consulta clínica48,00"_s);
        QCOMPARE(Textos(Valores), Consulta);
        QVERIFY(!Caixa(u"xrnumValorUnitario"_s)->Locked()); // opened: an administrator may change it
        QCOMPARE(Linha(1) + Textos(Totais), LinhaDaRacao + u"329,85|5,00|16,49|313,36"_s);
        Clicar(u"xrcmdAdicionar"_s);
        QCOMPARE(Linha(2) + Textos(Totais), LinhaDaConsulta + TotaisDeAmbos);
        Grade()->setRow(1);
        Clicar(u"xrcmdRemover"_s);

        // Remove: in add mode the last item goes too, leaving an empty hidden grid, zero totals.
        Clicar(u"xrcmdRemover"_s);
        QVERIFY(Grade()->Rows() == 1 && !Grade()->Visible());
        QCOMPARE(Textos(Totais) + TomarMensagens(), u"0,00|0,00|0,00|0,00"_s);
        Clicar(u"xrcmdRemover"_s);
        Clicar(u"xrcmdAlterar"_s);
        QCOMPARE(TomarMensagens(),
                 u"Nenhum item para ser removido da grade.|Nenhum item para ser alterado da grade."_s);
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void animalTravadoELimparCampos() {
        AbrirDaLista(frmFicha::Inclusao);
        Ativar();
        EscolherCliente();
        PreencherServico(Consulta);
        Clicar(u"xrcmdAdicionar"_s);
        auto* animal = No<XRComboBox>(u"xrcmbAnimal"_s);
        const auto AbrirCampos = [&] {
            QMetaObject::invokeMethod(mficha.get(), "HabilitarDesabilitarCampos", Q_ARG(bool, true));
        };
        AbrirCampos();
        QVERIFY(!animal->Enabled() && !No(u"xrfCodigoDoCliente"_s)->Enabled());
        No<Label>(u"lblQuantidade"_s)->setForeColor(255);
        Clicar(u"xrcmdLimparCampos"_s);
        QCOMPARE(Textos(u"xrfCodigoDoCliente|xrfNomeOuRazaoSocialDoCliente|"_s + Valores) + Foco(),
                 u"||0|0,00|0,00|0,00xrfApelidoOuNomeFantasiaDoCliente"_s);
        QVERIFY(No(u"xrfCodigoDoCliente"_s)->Enabled() && No<XRFind>(u"xrfCodigoDoCliente"_s)->Status() == 2);
        QCOMPARE(animal->ListCount() + Grade()->Rows(), 1);
        QVERIFY(RotulosVermelhos().isEmpty() && !No(u"optProduto"_s)->Enabled());
        // The next client's animals do not unlock the combo.
        animal->AddItem(u"Luna"_s);
        animal->AddItem(u"Velho"_s);
        AbrirCampos();
        QVERIFY(!animal->Enabled());
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void gravadoEmCadaModoCelulaPorCelula() {
        const double alterado = GravarOrcamento(2), excluido = GravarOrcamento(1);
        AbrirDaLista(frmFicha::Inclusao);
        Ativar();
        EscolherCliente();
        PreencherServico(Consulta);
        Clicar(u"xrcmdAdicionar"_s);
        PreencherProduto(Racao);
        Clicar(u"xrcmdAdicionar"_s);
        const QStringList linhas{Linha(1), Linha(2)};
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        QVERIFY(!mficha->isVisible() && mficha->OperacaoConcluida());
        const double numero = BancoDeTeste::Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos");
        QCOMPARE(DoOrcamento(u"CodigoDoAnimal"_s, numero), 10);
        QCOMPARE(DoOrcamento(u"ValorTotal + DescontoEmPercentual + ValorLiquido"_s, numero),
                 5698500 + 71100 + 5293600);
        QCOMPARE(Validade(numero), Dia(10));
        // Every item as the grid held it (numbers as values), numbered as stored.
        const auto gravada = BancoDeTeste::GradeEmMemoria::DoOrcamento(numero);
        QCOMPARE(gravada.Rows(), 3);
        for (int r = 1; r <= 2; ++r)
            for (int c = GradeDeItens::TipoDeServicoOuCodigoDeBarras; c <= GradeDeItens::CodigoDaSituacao;
                 ++c) {
                const QString noBanco = gravada.TextMatrix(r, c), naGrade = c == GradeDeItens::NumeroDoItem
                                                                                ? QString::number(r)
                                                                                : Lista(linhas[r - 1])[c - 1];
                QVERIFY2(VB::IsNumeric(naGrade) ? VB::CCur(noBanco) == VB::CCur(naGrade) : noBanco == naGrade,
                         qPrintable(noBanco + u" ≠ "_s + naGrade));
            }
        // Change: an item removed from the stored quote at once, with the totals without it;
        // its last item kept; the quote stored with the user's stamp.
        AbrirDaLista(frmFicha::Alteracao, alterado);
        Clicar(u"xrcmdRemover"_s);
        QCOMPARE(DosItens(u"COUNT(*)"_s, alterado), 1);
        QCOMPARE(DoOrcamento(u"ValorLiquido"_s, alterado), 1080000);
        QCOMPARE(Textos(Totais), u"120,00|10,00|12,00|108,00"_s);
        Clicar(u"xrcmdRemover"_s);
        QCOMPARE(
            TomarMensagens() + QString::number(Grade()->Rows()),
            u"Há apenas um item neste orçamento.\r\n\r\nCaso precise removê-lo, faça a exclusão do orçamento.2"_s);
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        QVERIFY(mficha->OperacaoConcluida());
        QCOMPARE(Banco::Valor(u"SELECT UsuarioDaAlteracao FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s,
                              {alterado}),
                 QVariant(u"ANA"_s));
        // Delete: the quote and its items gone.
        AbrirDaLista(frmFicha::Exclusao, excluido);
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        QVERIFY(mficha->OperacaoConcluida());
        QCOMPARE(DoOrcamento(u"COUNT(*)"_s, excluido) + DosItens(u"COUNT(*)"_s, excluido), 0);
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void respostasDoNegocio() {
        AbrirDaLista(frmFicha::Inclusao);
        RoteirizarGravacao(2);
        Ativar();
        EscolherCliente();
        // Rejected (2): the named field's label red, the focus on it (the item's field opened
        // when it was closed), the form left open.
        for (
            const QString& caso :
            {u"CodigoDoCliente|lblApelidoOuNomeFantasiaDoCliente|xrfApelidoOuNomeFantasiaDoCliente"_s,
             u"CodigoDoAnimal|lblNomeDoAnimal|xrcmbAnimal"_s,
             u"GradeDeItensDoOrcamento|lblTipoDeServicoOuCodigoDeBarrasDoProduto|xrcmbTiposDeServicos"_s,
             u"GradeDeItensDoOrcamento|lblTipoDeServicoOuCodigoDeBarrasDoProduto|xrfCodigoInternoDoProduto"_s,
             u"DataDeValidadeDoOrcamento|lblDataDeValidade|xrdtpDataDeValidadeDoOrcamento"_s,
             u"Situacao||xrnumValorUnitario"_s, u"Outro||xrnumValorUnitario"_s}) {
            const QStringList c = Lista(caso);
            Gravacao().Campo = c[0];
            const bool produto = c[2] == u"xrfCodigoInternoDoProduto"_s;
            No<OptionButton>(produto ? u"optProduto"_s : u"optServico"_s)->setValue(true);
            No(produto ? u"xrfCodigoInternoDoProduto"_s : u"xrcmbTiposDeServicos"_s)->setEnabled(false);
            No<Label>(u"lblQuantidade"_s)->setForeColor(255);
            Sair();
            Clicar(u"xrcmdSalvarFecharConfirmar"_s);
            QVERIFY(mficha->isVisible());
            QCOMPARE(mmensagens.value(0).BotoesEIcone, int(Plataforma::vbInformation));
            QCOMPARE(TomarMensagens() + u'|' + RotulosVermelhos() + u'|' + Foco(), u"Recusado: "_s + caso);
        }
        // What a new quote sends: no number, the client, the animal (-1 when none is chosen).
        QCOMPARE(Gravacao().Envios[0], u"Adicionar|-1|1|10|0|0|0|0|%1|"_s.arg(Dia(10)));
        No<XRComboBox>(u"xrcmbAnimal"_s)->setListIndex(-1);
        // An error (1) is reported, a refusal (3) is a critical message; both close the form.
        RoteirizarGravacao(1);
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        QCOMPARE(Gravacao().Envios[0].section(u'|', 3, 3), u"-1"_s);
        QVERIFY(!mficha->isVisible());
        QCOMPARE(Erros().value(0),
                 u"3704|Falha na gravação|ZELT_N_Orcamentos, clsOrcamentos, Gravar, Ponto: 7"_s);
        mficha->show();
        RoteirizarGravacao(3, u"recusa"_s);
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        QVERIFY(!mficha->isVisible() && !mficha->OperacaoConcluida());
        QCOMPARE(mmensagens.value(0).BotoesEIcone, int(Plataforma::vbCritical));
        QCOMPARE(TomarMensagens(), u"Recusado: recusa"_s);
    }

    void duasEstacoesNoMesmoOrcamento() {
        const double numero = GravarOrcamento(3);
        const auto Salvar = [&](QWidget* ficha, int dias) {
            mformulario = ficha;
            No<XRDTPicker>(u"xrdtpDataDeValidadeDoOrcamento"_s)->setValue(Dia(dias));
            Clicar(u"xrcmdSalvarFecharConfirmar"_s);
            mformulario = nullptr;
        };
        AbrirDaLista(frmFicha::Alteracao, numero);
        std::unique_ptr<frmFicha> primeira = std::move(mficha);
        AbrirDaLista(frmFicha::Alteracao, numero);
        Salvar(primeira.get(), 20);
        QVERIFY(primeira->OperacaoConcluida());
        // The second workstation read the quote before that change: refused, nothing stored.
        Salvar(mficha.get(), 30);
        QCOMPARE(mmensagens.value(0).BotoesEIcone, int(Plataforma::vbCritical));
        const QString recusa = TomarMensagens();
        QVERIFY2(recusa.startsWith(u"O orçamento %1 foi alterado por ANA em "_s.arg(numero)),
                 qPrintable(recusa));
        QVERIFY(!mficha->isVisible() && !mficha->OperacaoConcluida());
        QCOMPARE(Validade(numero), Dia(20));
        // Read again after that change (the list selects again), the quote saves normally.
        mlista->findChild<XRComboBox*>(u"xrcmbSituacao"_s)->setListIndex(0);
        AbrirDaLista(frmFicha::Alteracao, numero);
        Salvar(mficha.get(), 25);
        QVERIFY(mficha->OperacaoConcluida());
        QCOMPARE(Validade(numero) + TomarMensagens(), Dia(25));
    }

    // Another workstation changes the quote after this form read it: removing an item is
    // refused as the save would be, with its message box; nothing is removed, the row stays.
    void remocaoRecusadaQuandoOutraEstacaoAlterou() {
        const double numero = GravarOrcamento(3);
        AbrirDaLista(frmFicha::Alteracao, numero);
        const QString totais = Textos(Totais);
        {
            QSqlQuery outra(msessao->AbrirOutraConexao(u"outra estação"_s));
            QVERIFY(outra.prepare(u"UPDATE Orcamentos SET DataEHoraDaAlteracao = '2026-12-01 08:30:00', "
                                  "UsuarioDaAlteracao = 'BETO' WHERE NumeroDoOrcamento = ?"_s));
            outra.addBindValue(numero);
            QVERIFY(outra.exec());
        }
        BancoDeTeste::Sessao::FecharConexao(u"outra estação"_s);
        Clicar(u"xrcmdRemover"_s);
        QCOMPARE(mmensagens.value(0).BotoesEIcone, int(Plataforma::vbCritical));
        QCOMPARE(TomarMensagens(),
                 u"O orçamento %1 foi alterado por BETO em 01/12/2026 08:30:00, depois que "
                 "este formulário o leu. O item não foi removido: feche o formulário e abra "
                 "o orçamento novamente."_s.arg(numero));
        QCOMPARE(Erros(), QStringList());
        QCOMPARE(Grade()->Rows(), 4);
        QCOMPARE(Textos(Totais), totais);
        QCOMPARE(DosItens(u"COUNT(*)"_s, numero), 3);
        QCOMPARE(DoOrcamento(u"ValorLiquido"_s, numero), 3 * 1080000);
    }

    // A form that removed an item and was cancelled tells the list's row the stamp its
    // removal left (a hidden cell: what the list shows stays, and it does not select
    // again), so that the form opened again from that row removes and saves.
    void remocaoEntregueALinhaDaLista() {
        const double numero = GravarOrcamento(3);
        AbrirDaLista(frmFicha::Alteracao, numero);
        MSFlexGrid* lista = mlista->Grade();
        const int linha = lista->RowSel();
        const auto Visiveis = [&] {
            QStringList celulas;
            for (int c = 0; c < lista->Cols(); ++c)
                if (lista->ColWidth(c) > 0) celulas << lista->TextMatrix(linha, c);
            return celulas.join(u'|');
        };
        const QString mostrada = Visiveis();
        QCOMPARE(lista->TextMatrix(linha, frmLista::ColunaDataEHoraDaAlteracao), QString());
        Clicar(u"xrcmdRemover"_s);
        QCOMPARE(DosItens(u"COUNT(*)"_s, numero), 2);
        Clicar(u"xrcmdCancelarAlterar"_s);
        const QString gravada = VB::CStr(Banco::DataEHoraDeIso(
            Banco::Valor(u"SELECT DataEHoraDaAlteracao FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s,
                         {numero})
                .toString()));
        QCOMPARE(lista->TextMatrix(linha, frmLista::ColunaDataEHoraDaAlteracao) + u'|' +
                     lista->TextMatrix(linha, frmLista::ColunaUsuarioDaAlteracao),
                 gravada + u"|ANA"_s);
        QCOMPARE(Visiveis(), mostrada);
        AbrirDaLista(frmFicha::Alteracao, numero);
        QCOMPARE(mficha->DataEHoraDaAlteracaoLida(), gravada);
        Clicar(u"xrcmdRemover"_s);
        QCOMPARE(DosItens(u"COUNT(*)"_s, numero), 1);
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        QVERIFY(mficha->OperacaoConcluida());
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void doHostDinheiroSemDerivaEFichaImpressa() {
        QStringList impressoes;
        modImpressao::ImprimirFicha = [&](double numero, VB::Currency a, VB::Currency b, VB::Currency c,
                                          VB::Currency d) {
            impressoes << QStringList{VB::CStr(numero), Moeda(a), Moeda(b), Moeda(c), Moeda(d)}.join(u'|');
        };
        AbrirDoHost();
        Ativar();
        // 40 items whose discounts the form rounds to the cent (7 % or 3,33 %).
        for (int i = 0; i < 40; ++i) {
            PreencherServico(Juntos(1 + i % 3, VB::Format(10.01 + i * 1.37, u"#,##0.00"_s)));
            Digitar(u"xrnumPercentualDeDescontoPorItem"_s, i % 2 ? u"7"_s : u"3,33"_s);
            Sair();
            Clicar(u"xrcmdAdicionar"_s);
        }
        // 3,33 % of 10,01 = 0,333333; 7 % of 2 × 11,38 = 1,5932.
        QCOMPARE(Grade()->TextMatrix(1, GradeDeItens::ValorDeDesconto) +
                     Grade()->TextMatrix(2, GradeDeItens::ValorDeDesconto),
                 u"0,331,59"_s);
        Clicar(u"xrcmdSalvarFecharConfirmar"_s);
        modImpressao::ImprimirFicha = nullptr;
        QVERIFY(!mficha->isVisible() && !mficha->OperacaoConcluida());
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
        // The quote's totals are the sums of its stored items, to the cent; the sheet printed
        // with the number the business layer gave and the totals shown.
        const double numero = BancoDeTeste::Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos");
        QCOMPARE(DoOrcamento(u"ValorLiquido"_s, numero), DosItens(u"SUM(ValorTotal)"_s, numero));
        QCOMPARE(DoOrcamento(u"DescontoEmValor"_s, numero), DosItens(u"SUM(DescontoEmValor)"_s, numero));
        QCOMPARE(DoOrcamento(u"ValorTotal"_s, numero),
                 DosItens(u"SUM(Quantidade * ValorUnitario / 10000)"_s, numero));
        QStringList impressa{VB::CStr(numero)};
        for (const QString& total : Lista(Textos(Totais)))
            impressa << Moeda(VB::CCur(total));
        QCOMPARE(impressoes, QStringList{impressa.join(u'|')});
    }

    void listaSelecionaDeNovoNaMesmaPagina() {
        for (int i = 0; i < 35; ++i)
            GravarOrcamento(2);
        AbrirDaLista(frmFicha::Inclusao);
        mficha.reset();
        MSFlexGrid* lista = mlista->Grade();
        auto* barra = mlista->findChild<XRNavigationBar*>(u"xrnbBarraDeNavegacao"_s);
        QVERIFY2(mlista->TamanhoDaPagina() * 2 < 35, "a lista precisa de mais de duas páginas");
        emit barra->Click(3);
        const QString numero = lista->TextMatrix(1, frmLista::ColunaNumeroDoOrcamento);
        // Each command's form, shown by the list, does its work and is saved.
        std::function<void()> trabalho = [&] { Clicar(u"xrcmdRemover"_s); };
        Plataforma::SubstituirExibicaoModal([&](QWidget* formulario) {
            mformulario = formulario;
            trabalho();
            Clicar(u"xrcmdSalvarFecharConfirmar"_s);
            mformulario = nullptr;
        });
        const auto Comando = [&](const QString& nome) {
            lista->setRow(1);
            emit mlista->findChild<XRCommandButton*>(nome)->Click();
            return Juntos(mlista->PaginaAtual(), barra->TotalDeRegistros(),
                          lista->TextMatrix(1, frmLista::ColunaNumeroDoOrcamento),
                          lista->TextMatrix(1, frmLista::ColunaValorTotal));
        };
        QCOMPARE(Comando(u"xrcmdAlterar"_s), u"2|35|%1|120"_s.arg(numero));
        trabalho = [] {};
        QCOMPARE(Comando(u"xrcmdExcluir"_s), u"2|34|%1|240"_s.arg(numero.toInt() - 1));
        trabalho = [&] {
            EscolherCliente();
            PreencherServico(Consulta);
            Clicar(u"xrcmdAdicionar"_s);
        };
        QCOMPARE(Comando(u"xrcmdAdicionar"_s), u"2|35|%1|240"_s.arg(numero.toInt() + 1));
        QVERIFY(ErrosExibidos().isEmpty());
    }

private:
    // The form driven: the test's own, or the one a list command shows.
    QWidget* mformulario = nullptr;
    QWidget* Ficha() const { return mformulario ? mformulario : mficha.get(); }
    template <class T = Controle> T* No(const QString& nome) const { return Ficha()->findChild<T*>(nome); }
    XRNumberBox* Caixa(const QString& nome) const { return No<XRNumberBox>(nome); }
    MSFlexGrid* Grade() const { return No<MSFlexGrid>(u"msfgGradeDeItensDoOrcamento"_s); }
    void Clicar(const QString& comando) { emit No<XRCommandButton>(comando)->Click(); }

    // Search fields found ("name=text|..."): Status 0, enabled.
    void Encontrar(const QString& campos) {
        for (const QString& campo : Lista(campos)) {
            No<XRFind>(campo.section(u'=', 0, 0))->setStatus(XRFind::StatusNenhum);
            No<XRFind>(campo.section(u'=', 0, 0))->setText(campo.section(u'=', 1));
            No(campo.section(u'=', 0, 0))->setEnabled(true);
        }
    }
    // Client 1 (João) chosen, with its animals Rex (10) and Mel (11), Rex selected.
    void EscolherCliente() {
        Encontrar(u"xrfCodigoDoCliente=1|xrfApelidoOuNomeFantasiaDoCliente=João|"
                  u"xrfNomeOuRazaoSocialDoCliente=João da Silva"_s);
        auto* animal = No<XRComboBox>(u"xrcmbAnimal"_s);
        animal->Clear();
        for (int codigo : {10, 11}) {
            animal->AddItem(codigo == 10 ? u"Rex"_s : u"Mel"_s);
            animal->setItemData(animal->NewIndex(), codigo);
        }
        animal->setListIndex(0);
        for (const QString& nome : Lista(u"xrcmbAnimal|optServico|optProduto|xrcmbTiposDeServicos"_s))
            No(nome)->setEnabled(true);
    }
    // The item's type chosen, its quantity, unit value, discount percentage and value set
    // in opened boxes.
    void PreencherValores(const QString& opcao, const QString& valores) {
        No<OptionButton>(opcao)->setValue(true);
        for (int i = 0; i < 4; ++i) {
            Caixa(Lista(Valores)[i])->setText(Lista(valores).value(i));
            Caixa(Lista(Valores)[i])->setLocked(false);
        }
    }
    // The consultation (service 1 of type 1, cost 48) found.
    void PreencherServico(const QString& valores) {
        // The type first: choosing it empties the item, as the lookup then fills it.
        No<OptionButton>(u"optServico"_s)->setValue(true);
        auto* tipos = No<XRComboBox>(u"xrcmbTiposDeServicos"_s);
        for (int i = 0; i < tipos->ListCount(); ++i)
            if (tipos->ItemData(i) == 1) tipos->setListIndex(i);
        PreencherValores(u"optServico"_s, valores);
        Encontrar(u"xrfCodigoDoServico=1|xrfNomeDoServico=Consulta clínica"_s);
        No(u"xrfNomeDoServico"_s)->setTag(u"48"_s);
    }
    // A product (dog food, 100, cost 145) found, or only its code or its name typed.
    void PreencherProduto(const QString& valores, const QString& codigo = u"100"_s,
                          const QString& nome = u"Ração Cães 15 kg"_s) {
        PreencherValores(u"optProduto"_s, valores);
        Encontrar(
            u"xrfCodigoDeBarrasDoProduto=7891234567895|xrfCodigoInternoDoProduto=%1|xrfNomeDoProduto=%2"_s
                .arg(codigo, nome));
        No(u"xrfNomeDoProduto"_s)->setTag(u"145"_s);
    }
    // Types over a box's text as a person; Sair leaves for the unit value.
    void Digitar(const QString& caixa, const QString& teclas) {
        Caixa(caixa)->SetFocus();
        Caixa(caixa)->Editor()->selectAll(); // also when the focus never left it
        QTest::keyClicks(Caixa(caixa)->Editor(), teclas);
    }
    void Sair() { Caixa(u"xrnumValorUnitario"_s)->SetFocus(); }

    static QStringList Lista(const QString& textos) { return textos.split(u'|'); }
    QString Textos(const QString& nomes) const { return Propriedades("Text", nomes, Ficha()); }
    QString Linha(int linha) const {
        return LinhaDaGrade(Grade(), linha, GradeDeItens::TipoDeServicoOuCodigoDeBarras,
                            GradeDeItens::CodigoDaSituacao);
    }
    // The messages shown so far, "|"-separated, then forgotten.
    QString TomarMensagens() {
        QStringList textos;
        for (const MensagemExibida& mensagem : std::as_const(mmensagens))
            textos << mensagem.Texto;
        mmensagens.clear();
        return textos.join(u'|');
    }
    QString Foco() const {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (w->parentWidget() == Ficha()) return w->objectName();
        return QString();
    }
    QString RotulosVermelhos() const {
        QStringList rotulos;
        for (Label* rotulo : Ficha()->findChildren<Label*>())
            if (rotulo->ForeColor() == 255) rotulos << rotulo->objectName();
        return rotulos.join(u',');
    }
};

QTEST_MAIN(TesteDosItensDaFicha)
#include "tst_ficha_itens.moc"
