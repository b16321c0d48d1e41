// The client and the animal of a new quote, chosen in the record form through its three
// client fields as a person does: typing, the search and clear buttons, the client
// dialog when several are found; the label, the animals, and the client's discounts
// offered for each service type.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "search/frmPesquisaDeClientes.h"

using namespace Qt::StringLiterals;

namespace {

const char* const Codigo = "xrfCodigoDoCliente";
const char* const Apelido = "xrfApelidoOuNomeFantasiaDoCliente";
const char* const Nome = "xrfNomeOuRazaoSocialDoCliente";

const QString SemAnimal =
    u"Nenhum animal cadastrado.\r\nÉ necessário ter ao menos um animal cadastrado com as "
    u"especificações informadas para incluir ou alterar uma ficha clínica."_s;

// Two active clients of the same surname, not VIP, of category C, each percentage of
// its own (12,5 and 13,5 round half to even), no single discount; and a service type
// without a discount of its own.
void GravarClientesAlves() {
    Banco::UnidadeDeTrabalho unidade;
    for (const auto& [codigo, apelido, nome] :
         {std::tuple{42, "Dudu", "Eduardo Alves"}, std::tuple{43, "Duda", "Eduarda Alves"}}) {
        Cadastros::Cliente c;
        c.CodigoDoCliente = codigo;
        c.ApelidoOuNomeFantasia = QString::fromUtf8(apelido);
        c.NomeOuRazaoSocial = QString::fromUtf8(nome);
        c.PercentualUnicoDeDescontos = VB::Currency::DeInteiro(50);
        const double percentuais[] = {12.5, 13.5, 3, 4, 5, 6, 7, 9};
        for (int i = 0; i < 8; ++i)
            c.Percentuais[i] = VB::Currency::DeDouble(percentuais[i]);
        Cadastros::GravarCliente(c);
        Cadastros::Animal a;
        a.Codigo = codigo * 10;
        a.CodigoDoCliente = codigo;
        a.Nome = u"Pipoca"_s;
        Cadastros::GravarAnimal(a);
    }
    Cadastros::GravarTipoDeServico({8, u"Sem desconto próprio"_s});
    unidade.Confirmar();
}

} // namespace

class TesteDoClienteDaFicha : public TesteDaFicha {
    Q_OBJECT

protected:
    void Preparar() override {
        GravarClientesAlves();
        AbrirDaLista(frmFicha::Inclusao);
        mdialogos = 0;
    }

private slots:
    void tresCaracteresNosNomesECodigoCurto() {
        const QString curto = u"Informe 3 caracteres ou mais para iniciar a pesquisa."_s;
        // A key in a client field empties what the other two searched; the first key after
        // the form was opened only clears its one-shot guard.
        Campo(Apelido)->setSearchedText(u"jo"_s);
        QTest::keyClick(Campo(Codigo)->Editor(), Qt::Key_7);
        QCOMPARE(Campo(Apelido)->SearchedText(), u"jo"_s);
        QTest::keyClick(Campo(Codigo)->Editor(), Qt::Key_7);
        QCOMPARE(Campo(Apelido)->SearchedText(), QString());
        // Two characters in a name field: refused before anything is touched.
        Pesquisar(Apelido, u"Jo"_s);
        Pesquisar(Nome, u" a"_s);
        VerificarMensagens({curto, curto});
        QCOMPARE(Campo(Codigo)->Text(), u"77"_s);
        QCOMPARE(Campo(Apelido)->Text(), u"Jo"_s);
        QCOMPARE(Campo(Apelido)->Status(), XRFind::StatusPesquisar);
        // The code field has no minimum: one and two digits are searched.
        Pesquisar(Codigo, u"7"_s);
        VerificarMensagens({SemAnimal});
        VerificarCliente(u"7"_s, u"O'Brien \\ Barra"_s, u"Patrick O'Brien"_s);
        Pesquisar(Codigo, u" 42 "_s);
        VerificarMensagens({});
        VerificarCliente(u"42"_s, u"Dudu"_s, u"Eduardo Alves"_s);
        // Three characters, blanks included, are enough in a name field.
        Pesquisar(Nome, u" fe"_s);
        VerificarCliente(u"3"_s, u"Pet Shop 100% Feliz"_s, u"Feliz_Comércio Ltda."_s);
        // The clear button of any field goes back to no client.
        Campo(Nome)->Limpar();
        VerificarSemCliente(Nome, QString());
        QCOMPARE(Campo(Nome)->Status(), XRFind::StatusLimpar);
    }

    void nadaEncontradoMostraOValorEOSeleciona() {
        Pesquisar(Codigo, u"1"_s);
        VerificarCliente(u"1"_s, u"João"_s, u"João da Silva"_s);
        QCOMPARE(ControleDaFicha<Label>("lblCliente")->Caption(), u"Cliente* [ VIP - A ]"_s);
        // Each field names what was searched; the typed text is selected to be typed over.
        Pesquisar(Apelido, u"Ninguém"_s);
        VerificarMensagens({u"Nenhum cliente encontrado com o apelido ou nome fantasia 'Ninguém'."_s});
        VerificarSemCliente(Apelido, u"Ninguém"_s);
        QCOMPARE(Campo(Apelido)->Status(), XRFind::StatusNenhum);
        QCOMPARE(Campo(Apelido)->Editor()->selectedText(), u"Ninguém"_s);
        // The animals go with the client.
        QCOMPARE(ControleDaFicha<XRComboBox>("xrcmbAnimal")->ListCount(), 0);
        Pesquisar(Nome, u"  Nada Disso "_s);
        VerificarMensagens({u"Nenhum cliente encontrado com o nome ou razão social 'Nada Disso'."_s});
        Pesquisar(Codigo, u"077"_s);
        VerificarMensagens({u"Nenhum cliente encontrado com o código '77' informado."_s});
        VerificarSemCliente(Codigo, u"077"_s);
        // The code field takes digits only: the letter typed is ignored, no conversion fails.
        Pesquisar(Codigo, u"12a"_s);
        VerificarMensagens({u"Nenhum cliente encontrado com o código '12' informado."_s});
        VerificarSemCliente(Codigo, u"12"_s);
        // Digits no number holds: no client has them, the code quoted as typed.
        Pesquisar(Codigo, u"12345678901234567890"_s);
        VerificarMensagens({u"Nenhum cliente encontrado com o código '12345678901234567890' informado."_s});
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void umClienteEncontradoOuRecusado() {
        Pesquisar(Apelido, u"maria"_s);
        VerificarMensagens({});
        QCOMPARE(mdialogos, 0);
        VerificarCliente(u"2"_s, u"Maria Antônia"_s, u"Maria Antônia Gonçalves"_s);
        QCOMPARE(ControleDaFicha<Label>("lblCliente")->Caption(), u"Cliente* [ B ]"_s);
        QVERIFY(ControleDaFicha<OptionButton>("optServico")->TemOFoco());

        // Inactive, blocked and deleted clients found alone are refused, nothing filled.
        const QList<std::pair<QString, QString>> recusas{
            {u"Inativo"_s, u"inativo"_s}, {u"Bloq"_s, u"bloqueado"_s}, {u"Exclu"_s, u"excluído"_s}};
        for (const auto& [texto, situacao] : recusas) {
            Pesquisar(Apelido, texto);
            VerificarMensagens({u"Cliente %1. Para mais informações, entre em contato com o departamento "
                                u"financeiro."_s.arg(situacao)});
            VerificarSemCliente(Apelido, texto);
        }
        // The same blocked client handed back by the dialog is taken as it is.
        EscolherNoDialogo(5, {{frmPesquisaDeClientes::ColunaSituacao, u"1"_s}});
        Pesquisar(Nome, u"Cliente"_s);
        QCOMPARE(mdialogos, 1);
        QCOMPARE(mlinhasDoDialogo, 5); // also the nickname "SELECT * FROM Clientes; ..."
        VerificarMensagens({});
        VerificarCliente(u"5"_s, u"Bloqueado"_s, u"Cliente Bloqueado"_s);
        QCOMPARE(ControleDaFicha<XRComboBox>("xrcmbAnimal")->Text(), u"Fido"_s);
    }

    void variosEncontradosEscolhaNoDialogoOuFechar() {
        EscolherNoDialogo(43);
        Pesquisar(Nome, u"alves"_s);
        QCOMPARE(mdialogos, 1);
        QCOMPARE(mlinhasDoDialogo, 4); // also "Maria Antônia Gonçalves"
        VerificarMensagens({});
        VerificarCliente(u"43"_s, u"Duda"_s, u"Eduarda Alves"_s);
        QCOMPARE(ControleDaFicha<Label>("lblCliente")->Caption(), u"Cliente* [ C ]"_s);
        // Percentages handed back as the dialog's texts round alike ("12,5" -> 12, "13,5" -> 14).
        QCOMPARE((QList<double>{Desconto(1), Desconto(2)}), (QList<double>{12, 14}));

        // "Fechar": no client, no message; the discounts of the last client stay.
        EscolherNoDialogo(0);
        Pesquisar(Apelido, u"Dud"_s);
        QCOMPARE(mdialogos, 2);
        VerificarMensagens({});
        VerificarSemCliente(Apelido, u"Dud"_s);
        QCOMPARE(Desconto(99), 9.0);
    }

    void animaisDoCliente() {
        auto* animal = ControleDaFicha<XRComboBox>("xrcmbAnimal");
        auto* servico = ControleDaFicha<OptionButton>("optServico");
        auto* produto = ControleDaFicha<OptionButton>("optProduto");
        // No animal: the two-line message, products only.
        Pesquisar(Codigo, u"9"_s);
        VerificarMensagens({SemAnimal});
        VerificarCliente(u"9"_s, u"Zé"_s, u"José Sem Animal"_s);
        QCOMPARE(animal->ListCount(), 0);
        QVERIFY(!servico->Enabled() && !servico->Value() && produto->Enabled() && produto->Value());
        QVERIFY(produto->TemOFoco());
        QVERIFY(Campo("xrfCodigoDeBarrasDoProduto")->Visible() &&
                Campo("xrfCodigoDeBarrasDoProduto")->Enabled());

        // One active animal (the inactive one left out): chosen at once; services again.
        Pesquisar(Codigo, u"2"_s);
        VerificarMensagens({});
        QCOMPARE(animal->ListCount(), 1);
        QCOMPARE(animal->ListIndex(), 0);
        QCOMPARE(animal->ItemData(0), 12);
        QVERIFY(servico->Enabled() && servico->Value() && !produto->Value() && produto->Enabled());
        QVERIFY(servico->TemOFoco() && !Campo("xrfCodigoDeBarrasDoProduto")->Visible());
        // Several, by name: none chosen.
        Pesquisar(Codigo, u"1"_s);
        QCOMPARE(animal->ListIndex(), -1);
        QCOMPARE((QStringList{animal->List(0), animal->List(1)}), (QStringList{u"Mel"_s, u"Rex"_s}));
        QCOMPARE((QList<int>{animal->ItemData(0), animal->ItemData(1)}), (QList<int>{11, 10}));
    }

    void descontoDoClientePorTipoDeServico() {
        // "Sim": the single percentage whatever the type, also with none chosen.
        Pesquisar(Codigo, u"1"_s);
        for (int tipo : {-1, 0, 1, 5, 8, 99})
            QCOMPARE(Desconto(tipo), 10.0);
        // Otherwise the type's own percentage, rounded half to even when the client was
        // found alone; a type without one, or no type, keeps what the field held.
        Pesquisar(Codigo, u"42"_s);
        QList<double> porTipo;
        for (int tipo : {1, 2, 3, 4, 5, 6, 7, 99})
            porTipo << Desconto(tipo);
        QCOMPARE(porTipo, (QList<double>{12, 14, 3, 4, 5, 6, 7, 9}));
        QCOMPARE(Desconto(8, u"33,00"_s), 33.0);
        QCOMPARE(Desconto(0, u"2,50"_s), 2.5);
        QCOMPARE(Desconto(-1, u"1,00"_s), 1.0);
        // Replaced by the next client's.
        Pesquisar(Codigo, u"2"_s);
        QCOMPARE((QList<double>{Desconto(1), Desconto(2), Desconto(99)}), (QList<double>{5, 8, 0}));
        // "SIM" in capitals is a yes too, for the single discount and for VIP; a client
        // without a category shows the brackets empty.
        using C = frmPesquisaDeClientes;
        EscolherNoDialogo(42,
                          {{C::ColunaDescontoUnico, u"SIM"_s}, {C::ColunaCategoriaDaCurvaABC, QString()}});
        Pesquisar(Nome, u"alves"_s);
        QCOMPARE(ControleDaFicha<Label>("lblCliente")->Caption(), u"Cliente* [  ]"_s);
        for (int tipo : {1, 2, 8, 99})
            QCOMPARE(Desconto(tipo), 50.0);
        EscolherNoDialogo(42, {{C::ColunaVIP, u"SIM"_s}, {C::ColunaCategoriaDaCurvaABC, u"B"_s}});
        Pesquisar(Nome, u"alves"_s);
        QCOMPARE(ControleDaFicha<Label>("lblCliente")->Caption(), u"Cliente* [ VIP - B ]"_s);
        QCOMPARE(Desconto(5), 5.0);
        VerificarMensagens({});
    }

private:
    XRFind* Campo(const char* nome) const { return ControleDaFicha<XRFind>(nome); }
    // Clicks into the field, types the text over what it held and presses its button.
    void Pesquisar(const char* campo, const QString& texto) {
        XRFind* f = Campo(campo);
        f->SetFocus();
        f->Editor()->selectAll();
        if (texto.isEmpty()) f->Editor()->clear();
        for (const QChar letra : texto)
            QTest::sendKeyEvent(QTest::Click, f->Editor(), Qt::Key_unknown, QString(letra), Qt::NoModifier);
        f->Pesquisar();
    }

    // The next client dialog: the row of that client clicked (0: "Fechar"), with those
    // of its cells written over before: what another dialog might hand back.
    void EscolherNoDialogo(qint64 llonCliente, const QMap<int, QString>& celulas = {}) {
        Plataforma::SubstituirExibicaoModal([=, this](QWidget* janela) {
            auto* dialogo = qobject_cast<frmPesquisaDeClientes*>(janela);
            QVERIFY(dialogo);
            ++mdialogos;
            MSFlexGrid* grade = dialogo->Grade();
            mlinhasDoDialogo = grade->Rows();
            if (llonCliente == 0) {
                dialogo->findChild<XRCommandButton*>(u"xrcmdFechar"_s)->Click();
                return;
            }
            for (int linha = 1; linha < grade->Rows(); ++linha) {
                if (grade->TextMatrix(linha, frmPesquisaDeClientes::ColunaCodigo) !=
                    QString::number(llonCliente))
                    continue;
                for (auto celula = celulas.begin(); celula != celulas.end(); ++celula)
                    grade->setTextMatrix(linha, celula.key(), celula.value());
                const int y = Twips::ParaPixels(300 + (linha - 1) * 570 + 285);
                QTest::mouseClick(grade, Qt::LeftButton, {}, QPoint(Twips::ParaPixels(1600), y));
            }
        });
    }

    // The client's percentage offered for a service of that type (-1: no type chosen),
    // over what the field held.
    double Desconto(int lintTipo, const QString& lstrAntes = u"0,00"_s) {
        auto* tipos = ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos");
        int indice = -1;
        for (int i = 0; i < tipos->ListCount(); ++i)
            if (tipos->ItemData(i) == lintTipo) indice = i;
        tipos->setListIndex(indice);
        auto* percentual = ControleDaFicha<XRNumberBox>("xrnumPercentualDeDescontoPorItem");
        percentual->setText(lstrAntes);
        QMetaObject::invokeMethod(mficha.get(), "RecuperaDescontoDoCliente");
        return VB::CDbl(percentual->Text());
    }

    // The no-client state after a search or a clear of that field.
    void VerificarSemCliente(const char* campo, const QString& texto) {
        QCOMPARE(Campo(campo)->Text(), texto);
        QVERIFY(Campo(campo)->Enabled() && Campo(campo)->TemOFoco());
        for (const char* outro : {Codigo, Apelido, Nome})
            if (qstrcmp(outro, campo) != 0)
                QVERIFY2(Campo(outro)->Text().isEmpty() && Campo(outro)->Status() == XRFind::StatusLimpar &&
                             Campo(outro)->Enabled(),
                         outro);
        QCOMPARE(ControleDaFicha<Label>("lblCliente")->Caption(), u"Cliente*"_s);
        for (const char* fechado : {"optServico", "optProduto", "xrcmbTiposDeServicos"})
            QVERIFY2(!ControleDaFicha<Controle>(fechado)->Enabled(), fechado);
    }

    void VerificarCliente(const QString& codigo, const QString& apelido, const QString& nome) {
        QCOMPARE(Campo(Codigo)->Text(), codigo);
        QCOMPARE(Campo(Apelido)->Text(), apelido);
        QCOMPARE(Campo(Nome)->Text(), nome);
        for (const char* campo : {Codigo, Apelido, Nome})
            QVERIFY2(Campo(campo)->Status() == XRFind::StatusNenhum && Campo(campo)->Enabled(), campo);
        QCOMPARE(ControleDaFicha<XRNumberBox>("xrnumPercentualDeDescontoPorItem")->Text(), u"0,00"_s);
    }

    void VerificarMensagens(const QStringList& textos) {
        const QStringList vistos = Mensagens();
        mmensagens.clear();
        QCOMPARE(vistos, textos);
        QVERIFY(ErrosExibidos().isEmpty());
    }

    int mdialogos = 0;
    int mlinhasDoDialogo = 0;
};

QTEST_MAIN(TesteDoClienteDaFicha)
#include "tst_ficha_cliente.moc"
