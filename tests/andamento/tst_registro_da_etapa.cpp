// The approval and refusal windows on their own, on SQLite and PostgreSQL: what they show,
// the business layer's rejections (the window stays) and refusals (the window closes) with
// their exact messages, and nothing stored by either.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"

#include "andamento/RegistroDasJanelas.h"
#include "andamento/frmRegistroDaEtapa.h"
#include "component/JanelasDoOrcamento.h"
#include "component/modPrincipal.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
namespace E = ZELT_N_Orcamentos::Etapa;
using JanelasDoOrcamento::Janela;

namespace {

const QDateTime Agora(QDate(2026, 12, 7), QTime(9, 0));

QStringList Itens(const XRComboBox* combo) {
    QStringList itens;
    for (int i = 0; i < combo->ListCount(); ++i)
        itens << combo->List(i);
    return itens;
}

} // namespace

class TesteDoRegistroDaEtapa : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        FixarRelogio(Agora);
        RegistrarMensagemGravadora();
        ErrosExibidos().clear();
        modPrincipal::DadosDoUsuario = musuario.get();
        mmensagens.clear();
        Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString&) {
            mmensagens << u"%1 (%2)"_s.arg(texto, QString::number(botoes));
            return int(Plataforma::vbOK);
        });
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) { mresponder(janela); });
    }
    void Encerrar() override {
        Plataforma::SubstituirMsgBox({});
        Plataforma::SubstituirExibicaoModal({});
        modPrincipal::DadosDoUsuario = nullptr;
        QCOMPARE(ErrosExibidos().size(), 0);
    }

private slots:
    void initTestCase() { andamento::RegistrarJanelas(); }

    void aprovacaoComoAparece() {
        const double numero = NovoOrcamento();
        QStringList vistos;
        mresponder = [&](QWidget* janela) {
            vistos << janela->windowTitle() << janela->findChild<Label*>(u"lblTitulo"_s)->Caption()
                   << janela->findChild<Label*>(u"lblOrcamento"_s)->Caption()
                   << janela->findChild<QLineEdit*>(u"txtQuem"_s)->text()
                   << Itens(janela->findChild<XRComboBox*>(u"xrcmbComo"_s)).join(u'/')
                   << janela->findChild<XRComboBox*>(u"xrcmbComo"_s)->Text()
                   << janela->findChild<XRCommandButton*>(u"xrcmdOK"_s)->Caption()
                   << janela->findChild<XRCommandButton*>(u"xrcmdCancelar"_s)->Caption().trimmed();
            QTest::mouseClick(janela->findChild<XRCommandButton*>(u"xrcmdCancelar"_s), Qt::LeftButton);
        };
        QVERIFY(!JanelasDoOrcamento::Abrir(Janela::RegistrarAprovacao, nullptr, numero));
        QCOMPARE(vistos, (QStringList{u"Registrar aprovação"_s, u"Registrar aprovação"_s,
                                      u"Orçamento %1 - João da Silva"_s.arg(numero), u"João da Silva"_s,
                                      u"Presencial/WhatsApp/Telefone/E-mail"_s, u"Presencial"_s, u"OK"_s,
                                      u"Cancelar"_s}));
        QCOMPARE(EtapaDe(numero), E::EmAberto);
    }

    void recusaComoAparece() {
        const double numero = NovoOrcamento();
        QStringList vistos;
        mresponder = [&](QWidget* janela) {
            auto* motivo = janela->findChild<XRComboBox*>(u"xrcmbMotivo"_s);
            vistos << janela->windowTitle() << Itens(motivo).join(u'/')
                   << QString::number(motivo->ListIndex())
                   << janela->findChild<Label*>(u"lblNota"_s)->Caption();
            QTest::keyClick(janela, Qt::Key_Escape);
        };
        QVERIFY(!JanelasDoOrcamento::Abrir(Janela::RegistrarRecusa, nullptr, numero));
        QCOMPARE(vistos, (QStringList{u"Registrar recusa"_s,
                                      u"Preço/Fez em outro lugar/Desistiu/Sem resposta do cliente/Animal "
                                      u"faleceu/Outro"_s,
                                      u"-1"_s, u"Observação (opcional)"_s}));
    }

    // Who approved left empty: the business layer's message, the window still open; the
    // name typed then, Enter stores it.
    void aprovacaoSemQuemFicaAberta() {
        const double numero = NovoOrcamento();
        QStringList abertas;
        mresponder = [&](QWidget* janela) {
            auto* quem = janela->findChild<QLineEdit*>(u"txtQuem"_s);
            quem->clear();
            QTest::mouseClick(janela->findChild<XRCommandButton*>(u"xrcmdOK"_s), Qt::LeftButton);
            abertas << (janela->isVisible() ? u"aberta"_s : u"fechada"_s);
            quem->setText(u"Carlos"_s);
            QTest::keyClick(janela, Qt::Key_Return);
            abertas << (janela->isVisible() ? u"aberta"_s : u"fechada"_s);
        };
        QVERIFY(JanelasDoOrcamento::Abrir(Janela::RegistrarAprovacao, nullptr, numero));
        QCOMPARE(abertas, (QStringList{u"aberta"_s, u"fechada"_s}));
        QCOMPARE(mmensagens, QStringList{u"Informe quem aprovou o orçamento. (64)"_s});
        QCOMPARE(EtapaDe(numero), E::Aprovado);
        QCOMPARE(
            Consulta("SELECT Responsavel || '|' || Meio FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?",
                     {numero}),
            u"Carlos|Presencial"_s);
    }

    // A stage that does not allow the answer (moved at another workstation after the
    // window read it is told as a stale change; here the window reads it concluded).
    void etapaQueNaoPermite_data() {
        Colunas<int, QString>("janela", "mensagem");
        QTest::newRow("aprovação") << int(Janela::RegistrarAprovacao)
                                   << u"O orçamento %1 está concluído: não pode ser aprovado. (16)"_s;
        QTest::newRow("recusa") << int(Janela::RegistrarRecusa)
                                << u"O orçamento %1 está concluído: não pode ser recusado. (16)"_s;
    }
    void etapaQueNaoPermite() {
        QFETCH(int, janela);
        QFETCH(QString, mensagem);
        const double numero = NovoOrcamento();
        auto etapas = Etapas();
        QCOMPARE(etapas->Ler(numero), qint16(0));
        QCOMPARE(etapas->RegistrarAprovacao(numero, u"Maria"_s, u"Telefone"_s, false), qint16(0));
        QCOMPARE(etapas->Concluir(numero), qint16(0));
        const qint64 entradas =
            Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?", {numero});
        bool fechada = false;
        mresponder = [&](QWidget* w) {
            if (auto* motivo = w->findChild<XRComboBox*>(u"xrcmbMotivo"_s)) motivo->setListIndex(0);
            QTest::keyClick(w, Qt::Key_Enter);
            fechada = !w->isVisible();
        };
        QVERIFY(!JanelasDoOrcamento::Abrir(Janela(janela), nullptr, numero));
        QVERIFY(fechada);
        QCOMPARE(mmensagens, QStringList{mensagem.arg(numero)});
        QCOMPARE(EtapaDe(numero), E::Concluido);
        QCOMPARE(Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?", {numero}),
                 entradas);
    }

    // A quote gone before the window opened: told, and no window.
    void orcamentoInexistente() {
        mresponder = [](QWidget* w) { QFAIL(qPrintable(w->objectName())); };
        QVERIFY(!JanelasDoOrcamento::Abrir(Janela::RegistrarAprovacao, nullptr, 999));
        QCOMPARE(mmensagens, QStringList{u"O orçamento 999 não está cadastrado. (16)"_s});
    }

private:
    QStringList mmensagens;
    std::function<void(QWidget*)> mresponder;
};

QTEST_MAIN(TesteDoRegistroDaEtapa)
#include "tst_registro_da_etapa.moc"
