// The record form's item area driven through its fields as a person does: products by bar
// code, scale label, internal code and name, the sales promotion; services by type, code
// and name, the pick lists, no types at all, the client's discount beside the promotion.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "component/modPrincipal.h"
#include "search/frmPesquisa.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

const QString TresCaracteres = u"Informe 3 caracteres ou mais para iniciar a pesquisa."_s;

// The company with that scale format and a promotion (services, and 12 % on products)
// from inicio to fim days from today; none when servicos is 0.
void DefinirEmpresa(qint32 formatoDaBalanca, qint64 servicos = 0, int inicio = -1, int fim = 1) {
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::Empresa empresa;
    empresa.NomeFantasia = u"Clínica Escola"_s;
    empresa.FormatoDeCodigoDeBarrasParaBalanca = formatoDaBalanca;
    if (servicos > 0) {
        empresa.DataInicialDaPromocao = QDate::currentDate().addDays(inicio);
        empresa.DataFinalDaPromocao = QDate::currentDate().addDays(fim);
    }
    empresa.PercPromocaoDeDescontoNaVendaDeServico = VB::Currency::DeInteiro(servicos);
    empresa.PercPromocaoDeDescontoNaVendaDeProduto = VB::Currency::DeInteiro(12);
    Cadastros::GravarEmpresa(empresa);
    unidade.Confirmar();
}

// A product sold by scale label at that price a kilo, costing half of it.
void GravarProdutoDeBalanca(qint64 codigo, const char* nome, qint64 venda) {
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::GravarProduto({codigo, QString(), QString::fromUtf8(nome), QString(), QString(),
                              VB::Currency::DeInteiro(venda) * VB::Currency::DeDouble(0.5), u"KG"_s, u"KG"_s,
                              VB::Currency::DeInteiro(venda), VB::Currency(), true});
    unidade.Confirmar();
}

} // namespace

class TesteDosProdutosEServicosDaFicha : public TesteDaFicha {
    Q_OBJECT

protected:
    // Every error shown must have been looked at (and cleared) by its test.
    void Encerrar() override { QCOMPARE(Erros(), QStringList()); }

private slots:

    void produtoPorCodigoDeBarras() {
        Abrir(true);
        // 12 and 15 digits: refused before any search; the name typed stays.
        Campo("xrfNomeDoProduto")->setText(u"Ração"_s);
        Pesquisar("xrfCodigoDeBarrasDoProduto", u"789123456789"_s);
        Pesquisar("xrfCodigoDeBarrasDoProduto", u"789123456789512"_s);
        QCOMPARE(Mensagens(), QStringList(2, u"Informe um código de barras de 13 ou 14 dígitos."_s));
        QCOMPARE(Produto(), u"Ração|789123456789512|||0|0,00|2,1,2"_s);
        QVERIFY(Campo("xrfCodigoDeBarrasDoProduto")->TemOFoco());
        // An EAN-13 beginning with 7: that product, its values open, the quantity focused.
        mmensagens.clear();
        Pesquisar("xrfCodigoDeBarrasDoProduto", u" 7891234567895 "_s);
        QCOMPARE(Mensagens(), QStringList());
        QCOMPARE(Produto(), u"Ração Cães 15 kg|7891234567895|100|145|1|219,90|0,0,0"_s);
        QVERIFY(!Travados() && Caixa("xrnumQuantidade")->BackColor() == 0xFFFFFF);
        QVERIFY(Caixa("xrnumQuantidade")->TemOFoco());
        QVERIFY(ControleDaFicha<OptionButton>("optServico")->Enabled());
        // An unknown code and an inactive product's: not found, the code kept for a new try.
        for (const QString& codigo : {u"7890000000000"_s, u"7890000000024"_s}) {
            mmensagens.clear();
            Pesquisar("xrfCodigoDeBarrasDoProduto", codigo);
            QCOMPARE(Mensagens(),
                     QStringList{u"Nenhum produto encontrado com o código de barras '"_s + codigo + u"'."_s});
            QCOMPARE(Produto(), u"|"_s + codigo + u"||145|1|0,00|2,0,2"_s);
            QVERIFY(Travados() && Campo("xrfCodigoDeBarrasDoProduto")->TemOFoco());
        }
        // The code fields take digits only: what else is typed is ignored; digits no number
        // holds are a code no product has, quoted as typed.
        mmensagens.clear();
        Teclar("xrfCodigoDeBarrasDoProduto", u"789-1234567895"_s);
        QCOMPARE(Produto(), u"Ração Cães 15 kg|7891234567895|100|145|1|219,90|0,0,0"_s);
        Teclar("xrfCodigoInternoDoProduto", u"n.º 200"_s);
        QCOMPARE(Campo("xrfNomeDoProduto")->Text() + Mensagens().join(u'|'), u"Shampoo 50% neutro"_s);
        Teclar("xrfCodigoInternoDoProduto", QString(999, u'9'));
        QCOMPARE(Mensagens(),
                 QStringList{u"Nenhum produto encontrado com o código interno '%1' informado."_s.arg(
                     QString(999, u'9'))});
    }

    void etiquetaDeBalanca() {
        GravarProdutoDeBalanca(456, "Petisco a granel", 10);
        Abrir(true);
        // "2", the product's code in 6 digits, the weight (kg) or the price in 5 digits, the check
        // digit. Product 123 sells at 16,90 a kilo, 456 at 10,00; a counter scale that weighed
        // 0,735 kg of 123 printed 12,42. Another format leaves the quantity at 1,000.
        const struct {
            int formato;
            const char16_t *etiqueta, *produto; // "code|quantity"
        } casos[] = {{2, u"2000123012506", u"123|1,250"}, {2, u"20001230125060", u"123|1,250"},
                     {1, u"2000456012501", u"456|1,250"}, {1, u"2000123012421", u"123|0,735"},
                     {1, u"2000123033808", u"123|2,000"}, {3, u"2000123012506", u"123|1,000"}};
        QStringList obtidos, esperados;
        for (const auto& c : casos) {
            DefinirEmpresa(c.formato);
            Pesquisar("xrfCodigoDeBarrasDoProduto", QString::fromUtf16(c.etiqueta));
            obtidos << Produto().section(u'|', 2, 2) + u'|' + Caixa("xrnumQuantidade")->Text();
            esperados << QString::fromUtf16(c.produto);
        }
        QCOMPARE(obtidos, esperados);
        QCOMPARE(Produto(), u"Ração a granel (kg)||123|9,2|1|16,90|0,0,0"_s);
        QCOMPARE(Mensagens(), QStringList());
        QVERIFY(!Travados() && Caixa("xrnumQuantidade")->TemOFoco());
        // The label of a product not registered: the label named, the internal code emptied.
        Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000999005008"_s);
        QCOMPARE(Mensagens(),
                 QStringList{u"Nenhum produto encontrado com o código de barras '2000999005008'."_s});
        QCOMPARE(Produto().section(u'|', 0, 2) + u'|' + Produto().section(u'|', 6),
                 u"|2000999005008||0,0,2"_s);
        QVERIFY(Campo("xrfCodigoDeBarrasDoProduto")->TemOFoco());
    }

    void etiquetaComFalhas() {
        // A price label over a unit value of 0: the division fails, reported with its place;
        // the product stays as the lookup filled it and the form goes on.
        DefinirEmpresa(1);
        GravarProdutoDeBalanca(789, "Brinde a granel", 0);
        Abrir(true);
        Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000789012506"_s);
        QCOMPARE(Erros(), QStringList{u"11|Divisão por zero|ZELT_A_Orcamentos, frmFicha, "
                                      "xrfCodigoDeBarrasDoProduto_Click, Ponto: 9"_s});
        QCOMPARE(Produto(), u"Brinde a granel||789|0|1|0,00|0,0,0"_s);
        QVERIFY(mficha->isEnabled() && mmensagens.isEmpty());
        // No company registered: the message after the product was filled in.
        ErrosExibidos().clear();
        Banco::Executar(u"DELETE FROM Empresa"_s);
        Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000123012506"_s);
        QCOMPARE(Mensagens(),
                 QStringList{u"Não foi possível recuperar dados porque empresa não esta cadastrada.\r\n"
                             "Efetue o cadastro e tente novamente"_s});
        QCOMPARE(Produto(), u"Ração a granel (kg)||123|9,2|1|16,90|0,0,0"_s);
    }

    void produtoPorCodigoInternoENome() {
        Abrir(true);
        // Two letters in the name: no search, the code typed stays.
        Campo("xrfCodigoInternoDoProduto")->setText(u"100"_s);
        Pesquisar("xrfNomeDoProduto", u"Ra"_s);
        QCOMPARE(Mensagens(), QStringList{TresCaracteres});
        QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Text(), u"100"_s);
        // The code field searches any length; leading zeros vanish from the pick.
        mmensagens.clear();
        Pesquisar("xrfCodigoInternoDoProduto", u"0200"_s);
        QCOMPARE(Produto(), u"Shampoo 50% neutro|7890000000017|200|12,3|1|24,90|0,0,0"_s);
        // Not found by code, then by name: each message names what was searched; the other
        // product fields are emptied and the values locked.
        Pesquisar("xrfCodigoInternoDoProduto", u"99"_s);
        Pesquisar("xrfNomeDoProduto", u" gato "_s);
        QCOMPARE(Mensagens(),
                 (QStringList{u"Nenhum produto encontrado com o código interno '99' informado."_s,
                              u"Nenhum produto encontrado com o nome 'gato'."_s}));
        QCOMPARE(Produto(), u" gato |||12,3|1|0,00|0,2,2"_s);
        QVERIFY(Travados() && Campo("xrfNomeDoProduto")->TemOFoco());
        // Found by a name in capitals; clearing the name clears the product.
        Pesquisar("xrfNomeDoProduto", u"SHAMPOO"_s);
        QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Text(), u"200"_s);
        Campo("xrfNomeDoProduto")->Limpar();
        QCOMPARE(Produto(), u"|||12,3|1|0,00|2,2,2"_s);
        QVERIFY(Travados());
    }

    void variosProdutosNaListaDeEscolha() {
        Abrir(true);
        // "racao" finds products 123 and 100 (by name); the person closes the list, then picks 100.
        QString escolher;
        QStringList codigos, tipos;
        RoteirizarListas(escolher, codigos, tipos);
        Campo("xrfCodigoDeBarrasDoProduto")->setText(u"7891234567895"_s);
        Pesquisar("xrfNomeDoProduto", u"racao"_s);
        QCOMPARE(codigos, (QStringList{u"123"_s, u"100"_s}));
        // Closed without a pick: as a failed search, without a message.
        QCOMPARE(Produto(), u"racao||||1|0,00|0,2,2"_s);
        QVERIFY(Travados());
        escolher = u"100"_s;
        Pesquisar("xrfNomeDoProduto", u"racao"_s);
        QCOMPARE(Produto(), u"Ração Cães 15 kg|7891234567895|100|145|1|219,90|0,0,0"_s);
        QVERIFY(!Travados());
        // The focus arrives once the form is active again after the pick list.
        QTRY_VERIFY(Caixa("xrnumQuantidade")->TemOFoco());
        QVERIFY(mmensagens.isEmpty());
    }

    // The check as the client's discount runs it (by name), on what the discount box holds.
    void promocaoDeVenda() {
        const auto Verificar = [&](const QString& antes) -> QString {
            Caixa("xrnumPercentualDeDescontoPorItem")->setText(antes);
            qint16 resultado = -1;
            QMetaObject::invokeMethod(mficha.get(), "VerificaDescontoPromocionalDeVenda",
                                      Q_RETURN_ARG(qint16, resultado));
            return QString::number(resultado) + u'|' + Caixa("xrnumPercentualDeDescontoPorItem")->Text();
        };
        // A promotion of today only (15 % on services, 12 % on products): the larger percentage.
        DefinirEmpresa(2, 15, 0, 0);
        Abrir(true);
        QCOMPARE(Verificar(u"0,00"_s), u"0|12,00"_s);
        ControleDaFicha<OptionButton>("optServico")->setValue(true);
        QCOMPARE(Verificar(u"10"_s), u"0|15,00"_s);
        QCOMPARE(Verificar(u"20"_s), u"0|20"_s);
        // Ended yesterday; no start date (no promotion); an end that is not a date (1); no company.
        DefinirEmpresa(2, 15, -9, -1);
        QCOMPARE(Verificar(u"10"_s), u"0|10"_s);
        Banco::Executar(u"UPDATE Empresa SET DataInicialDaPromocao = NULL"_s);
        QCOMPARE(Verificar(u"10"_s), u"0|10"_s);
        DefinirEmpresa(2, 15);
        Banco::Executar(u"UPDATE Empresa SET DataFinalDaPromocao = 'amanhã'"_s);
        QCOMPARE(Verificar(u"10"_s), u"1|10"_s);
        Banco::Executar(u"DELETE FROM Empresa"_s);
        QCOMPARE(Verificar(u"10"_s), u"0|0,00"_s);
        QVERIFY(mmensagens.isEmpty());
    }

    void tiposDeServicosEOutroTipo() {
        Abrir(false);
        const auto Entrada = [&](int i) -> QString {
            return Tipos()->List(i) + u'=' + QString::number(Tipos()->ItemData(i));
        };
        QCOMPARE(Entrada(0) + u',' + Entrada(2) + u',' + Entrada(8),
                 u"(Todos)=0,Cirurgia simples=2,Outros=99"_s);
        QCOMPARE(Tipos()->ListIndex(), -1);
        // A type opens code and name; another type empties them, the quantity and the values.
        Tipos()->setListIndex(1);
        Pesquisar("xrfCodigoDoServico", u"1"_s);
        QCOMPARE(Servico(), u"1|Consulta clínica|48|1|120,00|0|0,0"_s);
        Caixa("xrnumPercentualDeDescontoPorItem")->setText(u"5,00"_s);
        Caixa("xrnumValorDeDescontoPorItem")->setText(u"6,00"_s);
        Tipos()->setListIndex(5);
        QCOMPARE(Servico() + u'|' + Caixa("xrnumValorDeDescontoPorItem")->Text(),
                 u"||48|0|0,00|0|2,2|0,00"_s);
        // The person clicks "Serviço" again: the type goes, the fields stay open, and a name
        // search asks for a type (no search: the code stays).
        QTest::mouseClick(ControleDaFicha<OptionButton>("optServico"), Qt::LeftButton);
        QCOMPARE(Tipos()->ListIndex(), -1);
        Campo("xrfCodigoDoServico")->setText(u"1"_s);
        Pesquisar("xrfNomeDoServico", u"Co"_s);
        Pesquisar("xrfNomeDoServico", u"Consulta"_s);
        QCOMPARE(Mensagens(), (QStringList{TresCaracteres, u"Selecione o tipo de serviço."_s}));
        QVERIFY(Tipos()->TemOFoco());
        QCOMPARE(Servico(), u"1|Consulta|48|0|0,00|0|2,1"_s);
    }

    void servicoPorCodigoENomeDentroDoTipo() {
        Abrir(false);
        // "(Todos)" searches every type: service 3 is a simple surgery, and its type is selected.
        Tipos()->setListIndex(0);
        Pesquisar("xrfCodigoDoServico", u"3"_s);
        QCOMPARE(Servico(), u"3|Castração de gato|140|1|350,00|0|0,0"_s);
        QCOMPARE(TipoSelecionado(), 2);
        QVERIFY(!Travados() && Caixa("xrnumQuantidade")->TemOFoco());
        // Within "Clínicos" it is not found; the message names the code and the type.
        Tipos()->setListIndex(1);
        Pesquisar("xrfCodigoDoServico", u" 3 "_s);
        QCOMPARE(
            Mensagens(),
            QStringList{
                u"Nenhum serviço encontrado com o código '3' informado e com o tipo de serviço 'Clínicos'."_s});
        QVERIFY(Travados() && Campo("xrfCodigoDoServico")->TemOFoco());
        // By name within the type, accents and case aside; the inactive service is not offered.
        mmensagens.clear();
        Pesquisar("xrfNomeDoServico", u"  VACINA "_s);
        QCOMPARE(Servico(), u"2|Vacina V10|36|1|90,00|0|0,0"_s);
        QCOMPARE(TipoSelecionado(), 1);
        Pesquisar("xrfNomeDoServico", u"antiga"_s);
        QCOMPARE(Mensagens(),
                 QStringList{u"Nenhum serviço encontrado com o nome 'antiga' informado e com o tipo de "
                             "serviço 'Clínicos'."_s});
        QCOMPARE(Servico(), u"|antiga|36|1|0,00|0|2,1"_s);
        QVERIFY(Campo("xrfNomeDoServico")->TemOFoco());
        // The code field takes digits only; sixteen digits are a code no service has.
        mmensagens.clear();
        Teclar("xrfCodigoDoServico", u"n.º 2"_s);
        QCOMPARE(Servico() + Mensagens().join(u'|'), u"2|Vacina V10|36|1|90,00|0|0,0"_s);
        Teclar("xrfCodigoDoServico", u"9999999999999999"_s);
        QCOMPARE(Mensagens(),
                 QStringList{u"Nenhum serviço encontrado com o código '9999999999999999' informado e "
                             u"com o tipo de serviço 'Clínicos'."_s});
    }

    void variosServicosNaListaDeEscolha() {
        {
            Banco::UnidadeDeTrabalho unidade;
            Cadastros::GravarServico(
                {6, u"Castração de cão"_s, QString(), 3, {}, VB::Currency::DeInteiro(420)});
            unidade.Confirmar();
        }
        Abrir(false);
        QString escolher;
        QStringList codigos, tipos;
        RoteirizarListas(escolher, codigos, tipos);
        // This form's list without its last type: the list shows this copy, on this form's entry.
        Tipos()->RemoveItem(8);
        Tipos()->setListIndex(0);
        Campo("xrfCodigoDoServico")->setText(u"9"_s);
        Pesquisar("xrfNomeDoServico", u"castracao"_s);
        QCOMPARE(codigos, (QStringList{u"6"_s, u"3"_s}));
        QCOMPARE(tipos.first() + u'|' + tipos.last() + u'|' + QString::number(tipos.size()),
                 u"(Todos)=0 *|Adestramentos=7|8"_s);
        // Closed without a pick: as a failed search, without a message; the type stays.
        QCOMPARE(Servico(), u"|castracao||1|0,00|0|2,1"_s);
        QCOMPARE(TipoSelecionado(), 0);
        QVERIFY(Travados());
        escolher = u"3"_s;
        Pesquisar("xrfNomeDoServico", u"castracao"_s);
        QCOMPARE(Servico(), u"3|Castração de gato|140|1|350,00|0|0,0"_s);
        // The form's type follows the chosen service, without emptying what was filled.
        QCOMPARE(TipoSelecionado(), 2);
        QVERIFY(!Travados());
        QTRY_VERIFY(Caixa("xrnumQuantidade")->TemOFoco());
        QVERIFY(!modPrincipal::IgnorarCliqueDoComboTiposDeServicos);
        QVERIFY(mmensagens.isEmpty());
    }

    void nenhumTipoDeServicoCadastrado() {
        Banco::Executar(u"DELETE FROM Servicos"_s);
        Banco::Executar(u"DELETE FROM TiposDeServicos"_s);
        AbrirDaLista(frmFicha::Inclusao);
        QCOMPARE(Mensagens(),
                 (QStringList{u"Nenhum tipo de serviço cadastrado.\r\nÉ necessário ter no mínimo um tipo "
                              "de serviço cadastrado para incluir um item de orçamento."_s,
                              u"Erro no localização dos tipos de serviço."_s}));
        QVERIFY(!mficha->isVisible());
        QVERIFY(
            ChamadasDoFundoEscuro().contains(qMakePair(u"Remover"_s, modPrincipal::FomularioDoMenu_hWnd)));
    }

    // The client chosen by code in the list's form, as a person does, then a service by code
    // over every type: the type selected and the percentage (compared as a number: its text is
    // the value handlers'). Client 2: clinical 5, simple surgery 8; client 1: a single 10.
    void descontoDoClienteEPromocao() {
        AbrirDaLista(frmFicha::Inclusao);
        QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
        // client, service, promotion on services (0 none), its end in days from today.
        const int casos[][4] = {{2, 3, 0, 1}, {2, 1, 0, 1},  {2, 4, 0, 1}, {1, 4, 0, 1},  {2, 3, 15, 1},
                                {2, 3, 6, 1}, {1, 1, 15, 1}, {1, 1, 9, 1}, {2, 3, 15, -1}};
        QStringList obtidos;
        const auto Escolher = [&](int cliente, int servico) -> QString {
            Pesquisar("xrfCodigoDoCliente", QString::number(cliente));
            // The person's first pick of a type after choosing the client opens the service
            // fields (the guard the client's search left behind does not swallow it).
            Tipos()->Caixa()->setCurrentIndex(0);
            emit Tipos()->Caixa()->activated(0);
            if (!ControleDaFicha<XRFind>("xrfCodigoDoServico")->Enabled()) return u"fechado"_s;
            Pesquisar("xrfCodigoDoServico", QString::number(servico));
            return QString::number(TipoSelecionado()) + u'|' +
                   VB::CStr(QVariant::fromValue(VB::CCur(Caixa("xrnumPercentualDeDescontoPorItem")->Text())));
        };
        for (const auto& c : casos) {
            DefinirEmpresa(2, c[2], c[3] - 8, c[3]);
            obtidos << Escolher(c[0], c[1]);
        }
        // A promotion whose end is not a date gives no discount at all.
        DefinirEmpresa(2, 15);
        Banco::Executar(u"UPDATE Empresa SET DataFinalDaPromocao = 'amanhã'"_s);
        obtidos << Escolher(2, 3);
        // "type|percentage"
        QCOMPARE(obtidos.join(u' '), u"2|8 1|5 5|0 5|10 2|15 2|8 1|15 1|10 2|8 2|0"_s);
        QVERIFY(mmensagens.isEmpty());
    }

private:
    void Abrir(bool produtos) {
        AbrirDoHost(1, 10);
        QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
        if (produtos) ControleDaFicha<OptionButton>("optProduto")->setValue(true);
    }
    XRFind* Campo(const char* nome) const { return ControleDaFicha<XRFind>(nome); }
    XRNumberBox* Caixa(const char* nome) const { return ControleDaFicha<XRNumberBox>(nome); }
    XRComboBox* Tipos() const { return ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos"); }
    void Pesquisar(const char* campo, const QString& texto) {
        Campo(campo)->setText(texto);
        Campo(campo)->Pesquisar();
    }
    // Types over what the field held, key by key as a person, and asks for the search.
    void Teclar(const char* campo, const QString& texto) {
        Campo(campo)->SetFocus();
        Campo(campo)->Editor()->selectAll();
        for (const QChar letra : texto)
            QTest::sendKeyEvent(QTest::Click, Campo(campo)->Editor(), Qt::Key_unknown, QString(letra), {});
        Campo(campo)->Pesquisar();
    }
    // "name|bar code|internal code|cost (the name's tag)|quantity|unit value|their 3 Status".
    QString Produto() const {
        return Valores({"xrfNomeDoProduto", "xrfCodigoDeBarrasDoProduto", "xrfCodigoInternoDoProduto"},
                       {"xrnumQuantidade", "xrnumValorUnitario"});
    }
    // "code|name|cost (the name's tag)|quantity|unit value|discount % (a number)|their 2 Status".
    QString Servico() const {
        return Valores({"xrfCodigoDoServico", "xrfNomeDoServico"},
                       {"xrnumQuantidade", "xrnumValorUnitario", "xrnumPercentualDeDescontoPorItem"});
    }

    QString Valores(std::initializer_list<const char*> campos,
                    std::initializer_list<const char*> caixas) const {
        QStringList valores, estados;
        for (const char* campo : campos) {
            valores << Campo(campo)->Text();
            estados << QString::number(Campo(campo)->Status());
        }
        valores << Campo(campos.size() == 3 ? "xrfNomeDoProduto" : "xrfNomeDoServico")->Tag();
        // Quantity and percentage as numbers: leaving their boxes reformats them (the value
        // handlers' rule); the unit value as written.
        for (const char* caixa : caixas)
            valores << (qstrcmp(caixa, "xrnumValorUnitario") == 0
                            ? Caixa(caixa)->Text()
                            : VB::CStr(QVariant::fromValue(VB::CCur(Caixa(caixa)->Text()))));
        return valores.join(u'|') + u'|' + estados.join(u',');
    }
    int TipoSelecionado() const {
        return Tipos()->ListIndex() < 0 ? -1 : Tipos()->ItemData(Tipos()->ListIndex());
    }
    bool Travados() const {
        return Caixa("xrnumQuantidade")->Locked() && Caixa("xrnumValorUnitario")->Locked();
    }

    // The pick lists keep column 1 and the type list ("text=data", " *" selected), then
    // pick the row whose column 1 is escolher, or close when it is empty.
    void RoteirizarListas(const QString& escolher, QStringList& coluna, QStringList& tipos) {
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            MSFlexGrid* grade = qobject_cast<frmPesquisa*>(janela)->Grade();
            coluna = LinhasDaGrade(grade, 1, 1);
            tipos.clear();
            if (auto* lista = janela->findChild<XRComboBox*>(u"xrcmbTiposDeServicos"_s))
                for (int i = 0; i < lista->ListCount(); ++i)
                    tipos << lista->List(i) + u'=' + QString::number(lista->ItemData(i)) +
                                 (i == lista->ListIndex() ? u" *"_s : QString());
            if (escolher.isEmpty()) {
                emit janela->findChild<XRCommandButton*>(u"xrcmdFechar"_s)->Click();
            } else {
                grade->setRow(coluna.indexOf(escolher) + 1);
                emit grade->Click();
            }
        });
    }
};

QTEST_MAIN(TesteDosProdutosEServicosDaFicha)
#include "tst_ficha_produtos_e_servicos.moc"
