#pragma once
// Stand-ins for what surrounds the component: an error display that records what it was
// asked to show, scripted business objects that record their calls and answer what the
// test sets (registered under the suite's ProgIDs), and the host's menu window; and the
// help window read as a person sees it.

#include "contracts/ComponentesDaSuite.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "list/frmLista.h"
#include "platform/Plataforma.h"
#include "tests/Controles.h"

#include <QApplication>
#include <QList>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>
#include <QtTest>
#include <functional>

struct ErroExibido {
    QVariant Numero;
    QVariant Descricao;
    QVariant Local;
    QVariant NomeDaAplicacao;
};

// Every error shown through ZELT_A_MsgErro.clsMensagem, in order.
inline QList<ErroExibido>& ErrosExibidos() {
    static QList<ErroExibido> erros;
    return erros;
}

// "number|description|location" of each error shown.
inline QStringList Erros() {
    QStringList erros;
    for (const ErroExibido& e : ErrosExibidos())
        erros << e.Numero.toString() + u'|' + e.Descricao.toString() + u'|' + e.Local.toString();
    return erros;
}

class MensagemGravadora final : public ZELT_A_MsgErro::clsMensagem {
public:
    QVariant Exibir(QVariant& Numero, QVariant& Descricao, QVariant& Local,
                    QVariant& NomeDaAplicacao) override {
        ErrosExibidos().append({Numero, Descricao, Local, NomeDaAplicacao});
        return QVariant();
    }
};

inline void RegistrarMensagemGravadora() {
    Zelt::RegistrarProgId(ProgId::MsgErro, [] { return std::make_unique<MensagemGravadora>(); });
}

// Message boxes answered OK and written down as "text|buttons|title".
inline void AnotarMensagens(QStringList& mensagens) {
    Plataforma::SubstituirMsgBox([&mensagens](const QString& texto, int botoes, const QString& titulo) {
        mensagens << QStringLiteral("%1|%2|%3").arg(texto, QString::number(botoes), titulo);
        return int(Plataforma::vbOK);
    });
}

// What the scripted business objects were asked and answer.
struct RespostasRoteirizadas {
    QStringList Argumentos;             // every call's arguments, written out with "|"
    std::function<void()> AoSelecionar; // may throw, standing for a failing call
    QVariant Resposta = false;
    RecordsetPtr Resultado = std::make_shared<RecordsetEmMemoria>();
    QVariant RespostaDosTipos = false;
    RecordsetPtr TiposDeServico = std::make_shared<RecordsetEmMemoria>();
};

inline RespostasRoteirizadas& Respostas() {
    static RespostasRoteirizadas respostas;
    return respostas;
}

template <class Base> class Roteirizado : public Base {
protected:
    template <class... A>
    QVariant Responder(const RecordsetPtr& resultado, const QVariant& resposta, const A&... argumentos) {
        QStringList escritos;
        ((escritos << Escrito(argumentos)), ...);
        Respostas().Argumentos << escritos.join(u'|');
        if (Respostas().AoSelecionar) Respostas().AoSelecionar();
        this->mrstResultado = resultado;
        this->NumeroDoErro = 3704;
        this->DescricaoDoErro = QStringLiteral("Falha ao selecionar");
        this->LocalDoErro = QStringLiteral("ZELT_N_Teste, clsTeste, Selecionar, Ponto: 2");
        return resposta;
    }
    static QString Escrito(const QString& texto) { return texto; }
    static QString Escrito(double numero) { return QString::number(numero); }
};

// The list's quotes: a selection records its situation and text ("3|Maria").
class OrcamentosRoteirizados final : public Roteirizado<ZELT_N_Orcamentos::clsOrcamentos> {
public:
    QVariant Selecionar(qint32, qint16& lintTamanhoDaPagina, qint32 llonSituacao, const QString& lstrTexto,
                        double, double) override {
        const QVariant resposta =
            Responder(Respostas().Resultado, Respostas().Resposta, llonSituacao, lstrTexto);
        mrstResultado->SetPageSize(lintTamanhoDaPagina > 0 ? lintTamanhoDaPagina : 10);
        return resposta;
    }
    // The rows of the page that holds the result's current row.
    void PaginarResultadoDaSelecaoEmRecordset(qint16& lintTamanhoDaPagina,
                                              RecordsetPtr& lrstPagina) override {
        Recordset& resultado = *Respostas().Resultado;
        QStringList campos;
        for (int i = 0; i < resultado.FieldsCount(); ++i)
            campos << resultado.FieldName(i);
        auto pagina = std::make_shared<RecordsetEmMemoria>(campos);
        const int inicio = resultado.AbsolutePosition0();
        for (int i = 0; i < lintTamanhoDaPagina && !resultado.Eof(); ++i, resultado.MoveNext()) {
            QList<QVariant> valores;
            for (int c = 0; c < campos.size(); ++c)
                valores << resultado.Fields(c).Value;
            pagina->AdicionarLinha(valores);
        }
        resultado.MoverPara(inicio);
        lrstPagina = pagina;
    }
    qint16 Adicionar() override { return 0; }
    qint16 Alterar() override { return 0; }
    qint16 Excluir() override { return 0; }
};

inline void RegistrarOrcamentosRoteirizados() {
    Respostas() = RespostasRoteirizadas();
    Zelt::RegistrarProgId(ProgId::Orcamentos, [] { return std::make_unique<OrcamentosRoteirizados>(); });
}

// The host's menu window, shown, with its work area at that place; the quotes list docked
// in the work area as the host docks it, and what a person reads on it.
struct MenuDeTeste : QWidget {
    QWidget* Area = new QWidget(this);
    frmLista* Lista = nullptr;

    MenuDeTeste(QSize tamanho, QRect area) {
        setObjectName(QStringLiteral("FomularioDoMenu"));
        Area->setObjectName(QStringLiteral("AreaDeTrabalho"));
        resize(tamanho);
        Area->setGeometry(area);
        show();
    }
    frmLista* AbrirLista() {
        Lista = new frmLista;
        Lista->MontarExibirFormulario(Plataforma::Handle(Area));
        return Lista;
    }
    QString TextoDaBarra() const {
        return Lista->findChild<XRNavigationBar*>(QStringLiteral("xrnbBarraDeNavegacao"))->TextoExibido();
    }
    // A column of the grid's rows, the header aside.
    QStringList Coluna(int coluna) const { return LinhasDaGrade(Lista->Grade(), coluna, coluna); }
};

// The section each help window on screen shows ("(início)": the guide's start),
// "|"-separated; one the guide has no anchor for is marked.
inline QString SecaoDoGuiaExibida() {
    QStringList secoes;
    for (QWidget* janela : QApplication::topLevelWidgets()) {
        if (janela->objectName() != QStringLiteral("frmAjuda") || !janela->isVisible()) continue;
        const auto* navegador = janela->findChild<QTextBrowser*>(QStringLiteral("txtGuia"));
        const QString secao = navegador->source().fragment();
        if (secao.isEmpty()) {
            secoes << QStringLiteral("(início)");
            continue;
        }
        bool ancora = false;
        for (QTextBlock bloco = navegador->document()->begin(); bloco.isValid(); bloco = bloco.next())
            for (auto trecho = bloco.begin(); !trecho.atEnd(); ++trecho)
                ancora = ancora || trecho.fragment().charFormat().anchorNames().contains(secao);
        secoes << (ancora ? secao : secao + QStringLiteral(" (sem âncora)"));
    }
    return secoes.join(u'|');
}

// Closes the help windows, so that the next test sees only what it opens.
inline void FecharAjuda() {
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (janela->objectName() == QStringLiteral("frmAjuda")) janela->close();
}

// F1 pressed on the widget with the project's guide: the section shown (SecaoDoGuiaExibida),
// then the help closed.
inline QString SecaoDoF1(QWidget* alvo, Qt::KeyboardModifiers teclas = Qt::NoModifier) {
    qputenv("ZELT_GUIA", qgetenv("ZELT_TEST_SOURCE_DIR") + "/docs/guia/index.html");
    QTest::keyClick(alvo, Qt::Key_F1, teclas);
    const QString secao = SecaoDoGuiaExibida();
    FecharAjuda();
    qunsetenv("ZELT_GUIA");
    return secao;
}
