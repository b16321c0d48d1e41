// A person at random: a seeded walk through the list, the record form in its three modes,
// the search dialogs and the report preview, on the real business layer. Each step does
// something to an enabled, visible control of the form on top; message boxes are answered
// at random and every modal display is walked in turn. After every step: no error shown,
// the record form's totals are its grid's sums, the list's grid agrees with its bar; after
// saves and item removals, stored headers are their items' sums and the list counts what is
// stored. Now and then a record form of a new quote ends as a program that stopped would
// (neither saved nor cancelled) and its recovery copy is edited at random, as a person
// could edit her own file; the walk goes on, and the copy is offered when a form opens
// again. The list's row menu moves quotes through their stages (its approval and refusal
// windows walked like the others); after every step at the list, each filter by stage
// counts what the database holds, and each quote's history tells a sequence of legal moves
// ending in its stored stage. The follow-up window (from the list's shortcut), the renewal,
// the approval with its marks and signature and the payments are walked too; after every
// stored change of a stage, an approval or a payment, each approval is worth its approved
// items, the payments stay within it and the stage agrees with it. ZELT_PASSEIO_SEMENTE and
// ZELT_PASSEIO_PASSOS replay a walk; a failure (or a crash) prints the seed, the step and the
// last 50 steps. The record form's "Adicionar pacote" is one more action (a package and a
// weight at random: in a band, on its edge, outside all, not a number); after saves, each
// stored quote's low total is at most its high one, which is its header, the sum of its items.
// Whenever the follow-up window is on top, each of its sections (caption, quotes in order,
// stage shown, days without an answer) and the period's figures are compared with what the
// stored rows give by each one's definition; some quotes are handed over and sent days
// before the walk's day (the clock set back), so that every section holds quotes.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "andamento/RegistroDasJanelas.h"
#include "andamento/frmAcompanhamento.h"
#include "andamento/frmAprovarOrcamento.h"
#include "andamento/frmRegistrarPagamento.h"
#include "andamento/frmRegistroDaEtapa.h"
#include "andamento/frmRenovarValidade.h"
#include "business/Banco.h"
#include "business/PacotesDeProcedimentos.h"
#include "business/Relogio.h"
#include "component/modPrincipal.h"
#include "contracts/Textos.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "record/frmPacoteDaFicha.h"
#include "search/frmPesquisa.h"
#include "tests/Controles.h"
#include "tests/Linha.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QSqlQuery>
#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <random>

using namespace Qt::StringLiterals;
using VB::Currency;

namespace {

// The dice: std::mt19937_64 gives the same numbers for a seed on every platform.
class Dados {
public:
    explicit Dados(quint64 semente) : mgerador(semente) {}
    int Ate(int n) { return n <= 1 ? 0 : static_cast<int>(mgerador() % static_cast<quint64>(n)); }
    template <class Lista> auto Um(const Lista& lista) { return lista[Ate(static_cast<int>(lista.size()))]; }

private:
    std::mt19937_64 mgerador;
};

// What a person types, by kind; the registry's own words and numbers make lookups find,
// and are what a person types into a find box half of the time.
QString Texto(Dados& d, bool busca) {
    static const QStringList registro =
        u"1|2|3|7|9|100|123|200|300|João|Maria|Cliente|Pet|Ração|Shampoo|Consulta|Vacina|Castração|Banho|0,5|"
        u"12,34|1.000,00|-1|0|99999999|7891234567895|2000123012345"_s.split(u'|');
    static const QStringList estranhos = u"'; DROP TABLE Orcamentos;--|1 OR 1=1|%|_|\\|\" OR "
                                         u"\"\"=\"|%s%n%d%x|{0}{1}|%1%2|#,##0.00|%%|$(echo)|1e308|"
                                         u"922337203685477,5807|-0,00|(5)|R$ 10|1,2,3|..."_s.split(u'|');
    auto varios = [](int n, auto gerar) {
        QString t;
        for (int i = 0; i < n; ++i)
            t += gerar();
        return t;
    };
    auto sorteados = [&](const QString& alfabeto, int n) {
        return varios(n, [&] { return alfabeto.mid(d.Ate(alfabeto.size()), 1); });
    };
    const QString letras = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "_s;
    const QString digitos = u"0123456789"_s;
    const QString pontuacao = u".,;:!?-+*/\\'\"()[]{}<>@#$%&_=|~^` "_s;
    const QString acentos = u"áéíóúâêôãõçàüÁÉÍÓÚÂÊÔÃÕÇ"_s;
    switch (busca && d.Ate(2) ? 9 : d.Ate(10)) {
    case 0:
        return sorteados(letras, 1 + d.Ate(12));
    case 1:
        return sorteados(digitos + u",."_s, 1 + d.Ate(20));
    case 2:
        return sorteados(pontuacao, 1 + d.Ate(6));
    case 3:
        return sorteados(acentos + letras, 1 + d.Ate(10));
    case 4: // emoji, outside the 16-bit plane
        return varios(1 + d.Ate(4), [&] {
            const char32_t emoji = 0x1F400 + d.Ate(0x200);
            return QString::fromUcs4(&emoji, 1);
        });
    case 5: // control characters, NUL included
        return varios(1 + d.Ate(3), [&] { return QString(QChar(d.Ate(2) ? d.Ate(32) : 127)); });
    case 6:
        return sorteados(letras + digitos + pontuacao + acentos, 1000);
    case 7:
        return d.Um(estranhos);
    default:
        return d.Um(registro);
    }
}

// A text for the log: escaped, and cut when long.
QString Resumo(const QString& texto) {
    QString r;
    for (QChar c : texto.left(40))
        r += c.unicode() < 32 || c.unicode() == 127 ? u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'))
                                                    : QString(c);
    return u'"' + r + (texto.size() > 40 ? u"\"... (%1 caracteres)"_s.arg(texto.size()) : u"\""_s);
}

// The walk's heading and its last steps, for the crash handler too.
struct {
    QString Cabecalho;
    QStringList Passos;
} Diario;

QByteArray Relato() {
    return (Diario.Cabecalho + u"\núltimos passos:\n"_s + Diario.Passos.join(u'\n')).toUtf8();
}

// The offscreen platform's notes on window masks and raising, which would fill the log.
QtMessageHandler ManipuladorAnterior = nullptr;
void SemAvisosDaPlataforma(QtMsgType tipo, const QMessageLogContext& contexto, const QString& mensagem) {
    if (!mensagem.startsWith(u"This plugin does not support"_s))
        ManipuladorAnterior(tipo, contexto, mensagem);
}

// The crash handler while a walk runs, SIG_DFL after it.
void TratarSinais(void (*tratador)(int)) {
    for (int sinal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(sinal, tratador);
}

extern "C" void AoQuebrar(int sinal) {
    const QByteArray relato = Relato();
    std::fprintf(stderr, "passeio interrompido pelo sinal %d\n%s\n", sinal, relato.constData());
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
}

enum class Acao {
    Digitar,
    Colar,
    Enter,
    Escape,
    Tab,
    Escolher,
    Clicar,
    Limpar,
    MoverMouse,
    Fechar,
    Menu,
    Assinar,
    Marcar
};
const char* const NomesDasAcoes[] = {"digita",      "cola",   "Enter", "Escape",       "Tab",
                                     "escolhe",     "clica",  "limpa", "move o mouse", "fecha",
                                     "abre o menu", "assina", "marca"};

// A CPF a person types for whoever approves: right, with a wrong check digit, or short;
// with its punctuation or not.
QString Cpf(Dados& d) {
    QString base;
    for (int i = 0; i < 9; ++i)
        base += QChar(u'0' + d.Ate(10));
    QString digitos = Textos::DigitosVerificadores(base);
    if (d.Ate(3) == 0) digitos[1] = QChar(u'0' + (digitos[1].digitValue() + 1 + d.Ate(9)) % 10);
    const QString cpf = d.Ate(8) == 0 ? base.left(8) : base + digitos;
    return d.Ate(2) && cpf.size() == 11
               ? u"%1.%2.%3-%4"_s.arg(cpf.left(3), cpf.mid(3, 3), cpf.mid(6, 3), cpf.right(2))
               : cpf;
}

// Whether the widget is one of those classes.
template <class... Classes> bool EhUm(const QObject* w) {
    return (qobject_cast<const Classes*>(w) || ...);
}

// A click or a move through the window, where a person's mouse arrives.
QPoint NaJanela(QWidget* w, QPoint ponto) {
    return w->mapTo(w->window(), ponto);
}

Currency Moeda(const QString& texto) {
    return texto.trimmed().isEmpty() ? Currency() : VB::CCur(texto);
}

// A quote's stage as stored, for queries on Orcamentos o.
const QString EtapaDoOrcamento = u"COALESCE((SELECT e.Etapa FROM EtapasDoOrcamento e WHERE "
                                 u"e.NumeroDoOrcamento = o.NumeroDoOrcamento), 'Em aberto')"_s;

// The walk's day: the business clock stands still on it (Preparar).
const QDate Hoje(2026, 3, 2);

void FixarRelogio(const QDateTime& quando) {
    Relogio::DefinirParaTestes([quando] { return quando; });
}

// Money as VB writes it ("12,5"), for the failures' texts.
QString EmTexto(Currency valor) {
    return VB::CStr(QVariant::fromValue(valor));
}

bool Difere(Currency a, Currency b) { // the half cent of a value shown with two decimals
    return qAbs(a.DecimosDeMilesimos() - b.DecimosDeMilesimos()) > 50;
}

} // namespace

class TesteDoPasseio : public TesteDaFicha {
    Q_OBJECT

private slots:
    void passeio_data() {
        // comEtapas: the main walk must also have moved quotes through their stages.
        // comAndamento: the windows of a quote's life beyond the row menu's answers: the
        // follow-up, the renewal, the approval with signature, the payments. The rows kept
        // before the walk went there walk without them, so that they replay as they were found.
        // comPacotes: packages stored and added from the record form; the rows kept from
        // before had none.
        // comSeNecessario: a save of a quote with "se necessário" items must have been checked.
        Colunas<quint64, qint64, bool, bool, bool, bool>("semente", "passos", "comEtapas", "comAndamento",
                                                         "comPacotes", "comSeNecessario");
        const QByteArray semente = qgetenv("ZELT_PASSEIO_SEMENTE");
        const qint64 passos = qEnvironmentVariableIsSet("ZELT_PASSEIO_PASSOS")
                                  ? qEnvironmentVariableIntValue("ZELT_PASSEIO_PASSOS")
                                  : 2000;
        if (!semente.isEmpty())
            return Linha("semente dada", semente.toULongLong(), passos, false, true, true, false);
        Linha("2000 passos", quint64(20), passos, true, true, true, false);
        // A package's "se necessário" items saved in a quote: its low total below its high one.
        Linha("orçamento gravado com item se necessário, semente 1016", quint64(1016), qint64(300), false,
              false, true, true);
        // Walks that found a fault, kept as they were (the first ones without the windows of a
        // quote's life and without packages).
        const auto antigo = [](const char* nome, quint64 semente, qint64 passos) {
            Linha(nome, semente, passos, false, false, false, false);
        };
        antigo("lista sem pesquisa, semente 18", 18, 50);
        antigo("lista sem pesquisa, semente 17", 17, 90);
        antigo("desconto do orçamento que não é número, semente 32", 32, 60);
        antigo("item removido, ficha fechada e reaberta pela lista, semente 218", 218, 4492);
        antigo("desconto do orçamento grande demais, semente 224", 224, 3374);
        antigo("ficha recuperada limpa para outro cliente, semente 306", 306, 2943);
        Linha("item removido pela ficha aberta do acompanhamento, que não se lia de novo, semente 2020",
              quint64(2020), qint64(197), false, true, true, false);
    }

    void passeio() {
        QFETCH(quint64, semente);
        QFETCH(qint64, passos);
        QFETCH(bool, comEtapas);
        QFETCH(bool, comAndamento);
        QFETCH(bool, comPacotes);
        QFETCH(bool, comSeNecessario);
        mbooAndamento = comAndamento;
        mbooPacotes = comPacotes;
        QFETCH_GLOBAL(QString, banco);
        mdados = std::make_unique<Dados>(semente);
        // Dice of their own, so that the other steps of a seed are drawn as before.
        mdadosDaCopia = std::make_unique<Dados>(semente ^ 0x636f706961ULL);
        mdadosDoPacote = std::make_unique<Dados>(semente ^ 0x7061636f7465ULL);
        mlonPacotesAdicionados = mlonCliquesNoPacote = mlonConferidosComSeNecessario = 0;
        mlonConferenciasDoAcompanhamento = 0;
        mlinhasDoAcompanhamento.fill(0);
        mlonPassos = passos;
        mlonPasso = 0;
        mlonCopiasEditadas = 0;
        mstrFalha.clear();
        mbooGravou = mbooListaRecarregada = mbooEtapas = false;
        mlonMudancasDeEtapa = 0;
        mstrMarcaDoBanco.clear();
        mjanelasDoAndamento.clear();
        Diario.Cabecalho =
            u"passeio em %1: semente %2, %3 passos (refazer: ZELT_PASSEIO_SEMENTE=%2 "
            u"ZELT_PASSEIO_PASSOS=%3)"_s.arg(banco, QString::number(semente), QString::number(passos));
        Diario.Passos.clear();
        qInfo().noquote() << Diario.Cabecalho;
        TratarSinais(AoQuebrar);
        ManipuladorAnterior = qInstallMessageHandler(SemAvisosDaPlataforma);

        // Twelve quotes of one to four items, enough to change and delete for a long while,
        // and the list as the host docks it.
        // With the follow-up, quotes 8 to 11 are made two weeks before, so that the window's
        // periods count apart (PrepararAcompanhamento).
        for (int i = 0; i < 12; ++i) {
            if (comAndamento)
                FixarRelogio(QDateTime(i >= 7 && i <= 10 ? Hoje.addDays(-14) : Hoje, QTime(10, 0)));
            GravarOrcamento(1 + i % 4);
        }
        // Some quotes expired and some ending this week, so that every filter by stage
        // has quotes to show and the stage commands meet "Vencido".
        Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento <= 3"_s,
                        {Banco::DataIso(QDate(2026, 2, 20))});
        Banco::Executar(
            u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento IN (4, 5)"_s,
            {Banco::DataIso(QDate(2026, 3, 6))});
        // Two quotes already approved, one in part, so that payments and their reversals
        // are within reach from the start.
        if (comAndamento) {
            for (const double numero : {6.0, 7.0}) {
                auto aprovacao = BancoDeTeste::Objeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(
                    ProgId::AprovacaoDoOrcamento, musuario.get());
                aprovacao->Ler(numero);
                QCOMPARE(aprovacao->Aprovar(numero, numero == 7 ? QList<qint32>{1} : QList<qint32>{},
                                            u"Maria"_s, QString(), u"Telefone"_s, {}),
                         qint16(0));
            }
            PrepararAcompanhamento();
        }
        if (comPacotes) GravarPacotes();
        // Those two are no move of the walk's.
        const qint64 mudancasIniciais = mlonMudancasDeEtapa = MudancasDeEtapa();
        andamento::RegistrarJanelas();
        mmenu = new MenuDeTeste({1400, 760}, {0, 0, 1400, 760});
        mlista = mmenu->AbrirLista();
        modPrincipal::FomularioDoMenu_hWnd = Plataforma::Handle(mmenu);
        modPrincipal::FormularioDeLista = mlista.data();
        QVERIFY(QTest::qWaitForWindowActive(mmenu));
        Andar(mlista);
        TratarSinais(SIG_DFL);
        qInstallMessageHandler(ManipuladorAnterior);
        if (!mstrFalha.isEmpty()) QFAIL(QByteArray(mstrFalha.toUtf8() + '\n' + Relato()).constData());
        // A long walk stops some forms: the step is not dead code.
        // The stage moves the row menu made, as the histories tell them.
        const qint64 mudancasDeEtapa = MudancasDeEtapa() - mudancasIniciais;
        if (passos >= 2000) QVERIFY(mlonCopiasEditadas > 0);
        // How often "Adicionar pacote" was reached is printed, not asserted: on one database
        // the main walk's form never holds a chosen animal when the dice call for it.
        if (comEtapas) QVERIFY(mudancasDeEtapa > 0);
        if (comSeNecessario) QVERIFY(mlonConferidosComSeNecessario > 0);
        if (comEtapas && comAndamento) {
            QVERIFY(mjanelasDoAndamento.size() == 4);
            // Each section of the follow-up held quotes when the walk compared it.
            for (qsizetype i = 0; i < qsizetype(mlinhasDoAcompanhamento.size()); ++i)
                QVERIFY2(mlinhasDoAcompanhamento[i] > 0, qPrintable(u"seção %1 sempre vazia"_s.arg(i + 1)));
        }
        qInfo().noquote()
            << u"%1 passos sem falha, %2 fichas interrompidas com a cópia editada, %3 mudanças de "
               u"etapa, %4 pacotes adicionados em %6 cliques, %5 itens se necessário gravados, %7 "
               u"conferências com o mínimo abaixo do máximo"_s.arg(
                   QString::number(mlonPasso), QString::number(mlonCopiasEditadas),
                   QString::number(mudancasDeEtapa), QString::number(mlonPacotesAdicionados),
                   BancoDeTeste::Consulta("SELECT COUNT(*) FROM ItensSeNecessario"),
                   QString::number(mlonCliquesNoPacote), QString::number(mlonConferidosComSeNecessario));
        QStringList janelas, secoes;
        for (auto it = mjanelasDoAndamento.cbegin(); it != mjanelasDoAndamento.cend(); ++it)
            janelas << u"%1 %2"_s.arg(it.key(), QString::number(it.value()));
        for (const qint64 linhas : mlinhasDoAcompanhamento)
            secoes << QString::number(linhas);
        if (comAndamento)
            qInfo().noquote() << u"janelas: %1; aprovações %2, pagamentos %3; acompanhamento conferido %4 "
                                 u"vezes, linhas das seções somadas: %5"_s.arg(
                                     janelas.join(u", "_s),
                                     BancoDeTeste::Consulta("SELECT COUNT(*) FROM AprovacoesDoOrcamento"),
                                     BancoDeTeste::Consulta("SELECT COUNT(*) FROM PagamentosDoOrcamento"),
                                     QString::number(mlonConferenciasDoAcompanhamento), secoes.join(u", "_s));
    }

protected:
    void Preparar() override {
        // One day for every run: the stored dates and stamps, so that a seed replays exactly.
        Relogio::DefinirParaTestes([] { return QDateTime(Hoje, QTime(10, 0)); });
        Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString&) {
            const int resposta = (botoes & 7) == Plataforma::vbYesNo
                                     ? mdados->Um(std::array{Plataforma::vbYes, Plataforma::vbNo})
                                 : (botoes & 7) == Plataforma::vbOKCancel
                                     ? mdados->Um(std::array{Plataforma::vbOK, Plataforma::vbCancel})
                                     : Plataforma::vbOK;
            Registrar(u"caixa %1 -> %2"_s.arg(Resumo(texto), QString::number(resposta)));
            return resposta;
        });
        Plataforma::SubstituirPopupMenu([this](QMenu* menu) -> QAction* {
            // Any entry a person sees, the enabled ones mostly, but the sends (they would start
            // the desktop's mail program or browser) and, in the walks kept from before, the
            // windows they did not step through (approval with signature, payment, renewal).
            static const QStringList deFora{u"mnuAprovarOrcamento"_s, u"mnuRegistrarPagamento"_s,
                                            u"mnuRenovarValidade"_s};
            QList<QAction*> entradas, habilitadas;
            for (QAction* acao : menu->actions())
                if (!acao->isSeparator() && acao->isVisible() &&
                    !acao->objectName().startsWith(u"mnuEnviar"_s) &&
                    (mbooAndamento || !deFora.contains(acao->objectName()))) {
                    entradas << acao;
                    if (acao->isEnabled()) habilitadas << acao;
                }
            // Half the time an answer of the client, when the stage allows one: the menu has
            // many other entries, and the stage moves are what it is here for.
            QList<QAction*> respostas;
            for (QAction* acao : habilitadas)
                if (QStringList{u"mnuEntregueAoCliente"_s, u"mnuRegistrarAprovacao"_s,
                                u"mnuRegistrarRecusa"_s, u"mnuConcluido"_s,
                                mbooAndamento ? u"mnuAprovarOrcamento"_s : QString(),
                                mbooAndamento ? u"mnuRegistrarPagamento"_s : QString()}
                        .contains(acao->objectName()))
                    respostas << acao;
            const QList<QAction*>& lista = !respostas.isEmpty() && mdados->Ate(2) == 0 ? respostas
                                           : habilitadas.isEmpty() || !mdados->Ate(4)  ? entradas
                                                                                       : habilitadas;
            QAction* escolhida = lista.isEmpty() || !mdados->Ate(10) ? nullptr : mdados->Um(lista);
            Registrar(u"menu -> %1%2"_s.arg(escolhida ? escolhida->text() : u"(fechado)"_s,
                                            escolhida && !escolhida->isEnabled() ? u" (desabilitada)"_s
                                                                                 : QString()));
            mbooEtapas = true;
            return escolhida;
        });
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            // The print and file dialogs of the preview, and the windows of the quote's
            // history, are answered "Cancel".
            if (auto* pacote = qobject_cast<frmPacoteDaFicha*>(janela); pacote && mbooPacotes)
                return ResponderPacote(pacote);
            const bool doAndamento = mbooAndamento && JanelaDoAndamento(janela);
            if (!EhUm<frmFicha, frmPesquisa, VisualizacaoDoRelatorio, frmRegistroDaEtapa>(janela) &&
                !doAndamento) {
                Registrar(u"cancela %1"_s.arg(QString::fromLatin1(janela->metaObject()->className())));
                return;
            }
            if (doAndamento) ++mjanelasDoAndamento[QString::fromLatin1(janela->metaObject()->className())];
            // The follow-up as it opens, then after every step on it (Verificar).
            if (auto* acompanhamento = qobject_cast<frmAcompanhamento*>(janela);
                acompanhamento && doAndamento)
                if (const QString falha = ConferirAcompanhamento(*acompanhamento); !falha.isEmpty())
                    Falhar(falha);
            Andar(janela);
            // What it may have moved is checked back at the list too.
            if (doAndamento) mbooEtapas = true;
            if (auto* ficha = qobject_cast<frmFicha*>(janela); ficha && ficha->OperacaoConcluida()) {
                Registrar(u"gravado"_s);
                mbooListaRecarregada = true;
            }
        });
    }

private:
    // Steps on the window until it is closed or the walk ends.
    void Andar(QWidget* janela) {
        mpilha << janela;
        while (!Acabou() && janela->isVisible())
            Passo(janela);
        mpilha.removeLast();
    }

    void Passo(QWidget* janela) {
        ++mlonPasso;
        if (Diario.Passos.size() == 50) Diario.Passos.removeFirst();
        if (!janela->window()->isActiveWindow()) {
            janela->window()->activateWindow();
            if (!QTest::qWaitForWindowActive(janela->window(), 1000))
                Registrar(u"a janela não ficou ativa"_s);
        }
        if (auto* ficha = qobject_cast<frmFicha*>(janela);
            ficha && mdadosDaCopia->Ate(80) == 0 && ficha->TipoDeOperacao() == frmFicha::Inclusao) {
            // The program stops under the form; the list's command ends and unloads it. A
            // walk seldom composes a whole quote: a form without a copy leaves one of a
            // stored quote's items, as if it had been typed.
            const QString copia = ficha->ArquivoDaCopiaDeRecuperacao();
            ficha->hide();
            if (!QFile::exists(copia)) EscreverCopiaDeUmOrcamentoGravado(copia);
            ++mlonCopiasEditadas;
            Diario.Passos << u"%1 ficha interrompida, cópia editada: %2"_s.arg(QString::number(mlonPasso),
                                                                               EditarCopia(copia));
            return;
        }
        if (auto* ficha = qobject_cast<frmFicha*>(janela);
            ficha && mbooPacotes && mdadosDoPacote->Ate(4) == 0) {
            // "Adicionar pacote", when the form offers it for an animal chosen, is the step's action.
            auto* comando = ficha->findChild<XRCommandButton*>(u"xrcmdAdicionarPacote"_s);
            const auto* animal = ficha->findChild<XRComboBox*>(u"xrcmbAnimal"_s);
            if (comando && comando->isVisible() && comando->isEnabled() && animal->ListIndex() >= 0) {
                const auto* grade = ficha->findChild<MSFlexGrid*>(u"msfgGradeDeItensDoOrcamento"_s);
                const int linhas = grade->Rows();
                Diario.Passos << u"%1 %2 xrcmdAdicionarPacote: clica"_s.arg(QString::number(mlonPasso),
                                                                            ficha->objectName());
                Agir(janela, comando, Acao::Clicar);
                ++mlonCliquesNoPacote;
                if (grade->Rows() > linhas) ++mlonPacotesAdicionados;
                Verificar();
                return;
            }
        }
        if (janela == mlista.data() && mbooAndamento && mdados->Ate(60) == 0) {
            // The follow-up of the open quotes, from the list's shortcut.
            Diario.Passos << u"%1 Ctrl+Shift+A"_s.arg(mlonPasso);
            mlista->Grade()->setFocus();
            QTest::keyClick(mlista->Grade(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
            Verificar();
            return;
        }
        const QList<QWidget*> controles = Controles(janela);
        const bool dialogo = janela != mlista.data();
        QWidget* controle = controles.isEmpty() ? nullptr : mdados->Um(controles);
        const Acao acao =
            !controle || (dialogo && mdados->Ate(60) == 0) ? Acao::Fechar : mdados->Um(AcoesDe(controle));
        Diario.Passos << u"%1 %2 %3: %4"_s.arg(QString::number(mlonPasso), janela->objectName(),
                                               controle ? controle->objectName() : QString(),
                                               QString::fromLatin1(NomesDasAcoes[int(acao)]));
        // A save, a change, a deletion or an item's removal: the stored quotes are checked.
        if (acao == Acao::Clicar && controle &&
            (controle->objectName() == u"xrcmdSalvarFecharConfirmar"_s ||
             controle->objectName() == u"xrcmdRemover"_s))
            mbooGravou = true;
        Agir(janela, controle, acao);
        Verificar();
    }

    // The controls a person can reach: the suite's and, in the preview, Qt's named ones.
    QList<QWidget*> Controles(QWidget* janela) const {
        QList<QWidget*> controles;
        for (QWidget* w : janela->findChildren<QWidget*>()) {
            if (w->window() != janela->window() || !w->isVisible() || !w->isEnabled()) continue;
            // The follow-up's reminder would start the desktop's browser, as the row menu's
            // sends would; the walks kept from before had no sheet commands in the preview.
            if (w->objectName() == u"xrcmdLembrar"_s ||
                (!mbooAndamento && (w->objectName() == u"cmdAprovarOrcamento"_s ||
                                    w->objectName() == u"cmdRegistrarPagamento"_s)))
                continue;
            const bool daSuite = EhUm<XRFind, XRNumberBox, XRComboBox, XRCommandButton, OptionButton,
                                      MSFlexGrid, XRNavigationBar, XRDTPicker, XRAssinatura>(w);
            const bool doQt = !Controle::DonoDe(w) && !w->objectName().isEmpty() &&
                              (EhUm<QAbstractButton, QSpinBox, QComboBox>(w) || CaixaDeTextoDaEtapa(w));
            // A person mostly searches, picks, points at rows and commands: those controls come
            // up more often.
            // In the windows of a quote's life, the pad and the commands that store come up
            // most: a person there is answering for the client.
            static const QStringList guardam{u"assAssinatura"_s, u"xrcmdAprovar"_s, u"xrcmdRegistrar"_s,
                                             u"xrcmdEstornar"_s, u"xrcmdRenovar"_s, u"xrcmdManterPrecos"_s};
            const int peso = JanelaDoAndamento(janela) && guardam.contains(w->objectName()) ? 4
                             : EhUm<XRFind, MSFlexGrid>(w)                                  ? 3
                             : EhUm<XRComboBox, XRCommandButton>(w)                         ? 2
                                                                                            : 1;
            for (int i = 0; (daSuite || doQt) && i < peso; ++i)
                controles << w;
        }
        return controles;
    }

    QList<Acao> AcoesDe(QWidget* c) const {
        using enum Acao;
        if (qobject_cast<XRFind*>(c)) return {Digitar, Digitar, Colar, Enter, Escape, Tab, Clicar, Limpar};
        if (EhUm<XRNumberBox, QSpinBox>(c)) return {Digitar, Digitar, Colar, Enter, Tab};
        if (qobject_cast<XRDTPicker*>(c)) return {Digitar, Tab};
        if (EhUm<XRComboBox, QComboBox>(c)) return {Escolher, Escolher, Tab};
        if (CaixaDeTextoDaEtapa(c)) return {Digitar, Colar, Enter, Escape, Tab};
        if (qobject_cast<XRAssinatura*>(c)) return {Assinar, Assinar, Clicar};
        if (qobject_cast<MSFlexGrid*>(c) && qobject_cast<frmAprovarOrcamento*>(c->window()))
            return {Marcar, Marcar, Clicar, Tab};
        if (qobject_cast<MSFlexGrid*>(c))
            return {Clicar, MoverMouse, MoverMouse, Enter, Tab, Menu, Menu, Menu};
        return {Clicar};
    }

    void Agir(QWidget* janela, QWidget* c, Acao acao) {
        QWindow* tela = janela->window()->windowHandle();
        auto clicar = [&](QWidget* w, QPoint ponto) {
            QTest::mouseClick(tela, Qt::LeftButton, {}, NaJanela(w, ponto));
        };
        auto pontoAoAcaso = [&](QWidget* w) {
            return QPoint(mdados->Ate(w->width()), mdados->Ate(w->height()));
        };
        switch (acao) {
        case Acao::Digitar:
        case Acao::Colar: {
            const bool busca = qobject_cast<XRFind*>(c);
            const QString texto =
                TextoDoAndamento(c).value_or(Texto(*mdados, busca || qobject_cast<XRNumberBox*>(c)));
            Registrar(Resumo(texto));
            Focar(c);
            if (QWidget* foco = QApplication::focusWidget(); foco && mdados->Ate(2)) {
                Registrar(u"sobre o texto"_s); // typed over what the box held
                QTest::keyClick(foco, Qt::Key_A, Qt::ControlModifier);
            }
            if (acao == Acao::Digitar) {
                Teclar(janela, texto);
                // A search typed is mostly asked for at once.
                if (busca && mdados->Ate(2)) {
                    Registrar(u"Enter"_s);
                    Teclar(janela, u"\r"_s);
                }
            } else if (QWidget* foco = QApplication::focusWidget()) {
                QGuiApplication::clipboard()->setText(texto);
                QTest::keyClick(foco, Qt::Key_V, Qt::ControlModifier);
            }
            break;
        }
        case Acao::Enter:
        case Acao::Escape:
        case Acao::Tab:
            Focar(c);
            if (QWidget* foco = QApplication::focusWidget(); foco && janela->isVisible())
                QTest::keyClick(foco, acao == Acao::Enter    ? Qt::Key_Return
                                      : acao == Acao::Escape ? Qt::Key_Escape
                                                             : Qt::Key_Tab);
            break;
        case Acao::Escolher:
            if (auto* combo = qobject_cast<XRComboBox*>(c)) {
                combo->SetFocus();
                c = combo->Caixa();
            }
            if (auto* caixa = qobject_cast<QComboBox*>(c); caixa && caixa->count() > 0) {
                const int i = mdados->Ate(caixa->count());
                Registrar(Resumo(caixa->itemText(i)));
                caixa->setCurrentIndex(i);
                emit caixa->activated(i);
            }
            break;
        case Acao::Clicar:
            if (auto* find = qobject_cast<XRFind*>(c))
                clicar(find->findChild<QToolButton*>(u"cmdPesquisar"_s), {4, 4});
            else if (auto* barra = qobject_cast<XRNavigationBar*>(c))
                clicar(barra->Botao(1 + mdados->Ate(4)), {4, 4});
            else if (qobject_cast<MSFlexGrid*>(c))
                clicar(c, pontoAoAcaso(c));
            else
                clicar(c, c->rect().center());
            break;
        case Acao::Limpar:
            clicar(c->findChild<QToolButton*>(u"cmdLimpar"_s), {4, 4});
            break;
        case Acao::MoverMouse:
            QTest::mouseMove(tela, NaJanela(c, pontoAoAcaso(c)));
            break;
        case Acao::Fechar:
            janela->close();
            break;
        case Acao::Assinar: {
            // One to three strokes of a few points each, as a finger or a mouse draws them.
            for (int traco = 1 + mdados->Ate(3); traco > 0; --traco) {
                QTest::mousePress(c, Qt::LeftButton, {}, pontoAoAcaso(c));
                for (int ponto = mdados->Ate(6); ponto > 0; --ponto)
                    QTest::mouseMove(c, pontoAoAcaso(c));
                QTest::mouseRelease(c, Qt::LeftButton, {}, pontoAoAcaso(c));
            }
            break;
        }
        case Acao::Marcar: {
            // A row's mark turned by a click on it, or by Space on the row.
            auto* grade = static_cast<MSFlexGrid*>(c);
            if (grade->Rows() < 2) break;
            const int linha = 1 + mdados->Ate(grade->Rows() - 1);
            Registrar(u"linha %1"_s.arg(linha));
            if (mdados->Ate(2)) {
                clicar(c, grade->RetanguloDaCelula(linha, 1).center());
            } else {
                Focar(c);
                grade->setRow(linha);
                QTest::keyClick(c, Qt::Key_Space);
            }
            break;
        }
        case Acao::Menu:
            // The right button on a row, or the Menu key on the selected one.
            if (mdados->Ate(2)) {
                QTest::mousePress(tela, Qt::RightButton, {}, NaJanela(c, pontoAoAcaso(c)));
                QTest::mouseRelease(tela, Qt::RightButton, {}, NaJanela(c, pontoAoAcaso(c)));
            } else {
                Focar(c);
                QTest::keyClick(c, Qt::Key_Menu);
            }
            break;
        }
    }

    // The focus into the control, as a person gives it: a click into a text box, Tab's way
    // (SetFocus) to a list or a grid.
    void Focar(QWidget* c) {
        QWidget* alvo = c;
        if (auto* find = qobject_cast<XRFind*>(c)) alvo = find->Editor();
        if (auto* numero = qobject_cast<XRNumberBox*>(c)) alvo = numero->Editor();
        if (auto* data = qobject_cast<XRDTPicker*>(c)) alvo = data->Caixa();
        if (alvo != c || qobject_cast<QSpinBox*>(c)) {
            QTest::mouseClick(c->window()->windowHandle(), Qt::LeftButton, {}, NaJanela(alvo, {4, 4}));
        } else if (auto* controle = qobject_cast<Controle*>(c); controle && !controle->TemOFoco()) {
            controle->SetFocus();
        }
    }

    // Types into whatever holds the focus, one character after another, while the window
    // stays on top (a character may open a dialog or close the form).
    void Teclar(QWidget* janela, const QString& texto) {
        for (char32_t letra : texto.toUcs4()) {
            QWidget* foco = QApplication::focusWidget();
            if (!foco || foco->window() != janela->window() || !janela->isVisible() || !mstrFalha.isEmpty())
                return;
            const QString caractere = QString::fromUcs4(&letra, 1);
            const int tecla = letra == 8                      ? int(Qt::Key_Backspace)
                              : letra == 9                    ? int(Qt::Key_Tab)
                              : letra == 13                   ? int(Qt::Key_Return)
                              : letra == 27                   ? int(Qt::Key_Escape)
                              : letra >= 0x20 && letra < 0x7F ? QChar(letra).toUpper().unicode()
                                                              : int(Qt::Key_unknown);
            QTest::sendKeyEvent(QTest::Click, foco, Qt::Key(tecla), caractere, Qt::NoModifier);
        }
    }

    void Verificar() {
        if (!ErrosExibidos().isEmpty()) {
            const ErroExibido erro = ErrosExibidos().takeFirst();
            return Falhar(u"erro exibido: %1 - %2 (%3)"_s.arg(
                erro.Numero.toString(), erro.Descricao.toString(), erro.Local.toString()));
        }
        for (QWidget* janela : std::as_const(mpilha))
            if (qobject_cast<frmFicha*>(janela) && janela->isVisible())
                if (const QString falha = ConferirFicha(janela); !falha.isEmpty()) return Falhar(falha);
        if (mbooGravou) {
            mbooGravou = false;
            if (const QString falha = ConferirBanco(); !falha.isEmpty()) return Falhar(falha);
        }
        // The approvals, payments, filters and histories, whenever a stage, an approval or a
        // payment may have moved (a history entry or a payment more than at the last check).
        if (mbooAndamento || mbooEtapas) {
            const QString marca = BancoDeTeste::Consulta(
                "SELECT (SELECT COUNT(*) FROM HistoricoDeOrcamentos) || '/' || (SELECT COUNT(*) FROM "
                "PagamentosDoOrcamento)");
            if (marca != mstrMarcaDoBanco) {
                mstrMarcaDoBanco = marca;
                for (const QString& falha : {ConferirAprovacoes(), ConferirFiltrosEHistoricos()})
                    if (!falha.isEmpty()) return Falhar(falha);
            }
        }
        if (auto* acompanhamento = qobject_cast<frmAcompanhamento*>(mpilha.last());
            acompanhamento && acompanhamento->isVisible())
            if (const QString falha = ConferirAcompanhamento(*acompanhamento); !falha.isEmpty())
                return Falhar(falha);
        if (mpilha.size() == 1) {
            // A stage moved by the row menu reads the list again, as a save does.
            if (mbooEtapas) {
                const qint64 mudancas = MudancasDeEtapa();
                if (mudancas != mlonMudancasDeEtapa) mbooListaRecarregada = true;
                mlonMudancasDeEtapa = mudancas;
            }
            if (const QString falha = ConferirLista(); !falha.isEmpty()) return Falhar(falha);
            mbooListaRecarregada = false;
            if (const QString falha = ConferirEtapas(); !falha.isEmpty()) return Falhar(falha);
        }
    }

    // The totals the form computes are its grid's sums: gross (quantity × unit value) and net
    // (gross less the items' discounts). The quote's discount boxes are left out: an
    // administrator may type into them. An empty grid is left out too: cleared for a new
    // client ("Limpar campos"), the form empties its grid and keeps its totals until the
    // next item.
    QString ConferirFicha(QWidget* ficha) const {
        const QString total = ficha->findChild<XRNumberBox*>(u"xrnumValorTotal"_s)->Text();
        const QString liquido = ficha->findChild<XRNumberBox*>(u"xrnumValorLiquido"_s)->Text();
        const auto* grade = ficha->findChild<MSFlexGrid*>(u"msfgGradeDeItensDoOrcamento"_s);
        if (grade->Rows() < 2) return {};
        try {
            Currency bruto, desconto;
            for (int r = 1; r < grade->Rows(); ++r) {
                bruto += Moeda(grade->TextMatrix(r, GradeDeItens::Quantidade)) *
                         Moeda(grade->TextMatrix(r, GradeDeItens::ValorUnitario));
                desconto += Moeda(grade->TextMatrix(r, GradeDeItens::ValorDeDesconto));
            }
            if (Difere(Moeda(total), bruto) || Difere(Moeda(liquido), bruto - desconto))
                return u"os totais da ficha (%1, %2) não são as somas da grade (%3, %4)"_s.arg(
                    total, liquido, EmTexto(bruto), EmTexto(bruto - desconto));
        } catch (const VB::ErroDeExecucao& erro) {
            return u"a grade ou os totais da ficha não são números: "_s + erro.Descricao();
        }
        return {};
    }

    // Every stored quote has items, and its header is their sum; its estimate's high total is
    // that header and its low one the sum of the items not marked "se necessário" (every
    // mark on an item of it).
    QString ConferirBanco() {
        struct Somas {
            Currency bruto, desconto, liquido, semMarca;
            int itens = 0, marcados = 0;
        };
        QHash<qint64, Somas> somas;
        QSqlQuery itens = Banco::Executar(
            u"SELECT i.NumeroDoOrcamento, i.Quantidade, i.ValorUnitario, i.DescontoEmValor, i.ValorTotal, "
            "m.NumeroDoItemDoOrcamento FROM ItensDeOrcamento i LEFT JOIN ItensSeNecessario m ON "
            "m.NumeroDoOrcamento = i.NumeroDoOrcamento AND m.NumeroDoItemDoOrcamento = i.NumeroDoItemDoOrcamento"_s);
        while (itens.next()) {
            Somas& s = somas[itens.value(0).toLongLong()];
            s.bruto += Banco::MoedaDe(itens.value(1)) * Banco::MoedaDe(itens.value(2));
            s.desconto += Banco::MoedaDe(itens.value(3));
            s.liquido += Banco::MoedaDe(itens.value(4));
            if (itens.value(5).isNull()) s.semMarca += Banco::MoedaDe(itens.value(4));
            s.marcados += itens.value(5).isNull() ? 0 : 1;
            ++s.itens;
        }
        if (const qint64 soltas = BancoDeTeste::Numero(
                "SELECT COUNT(*) FROM ItensSeNecessario m WHERE NOT EXISTS (SELECT 1 FROM ItensDeOrcamento i "
                "WHERE i.NumeroDoOrcamento = m.NumeroDoOrcamento AND i.NumeroDoItemDoOrcamento = "
                "m.NumeroDoItemDoOrcamento)"))
            return u"%1 marcas \"se necessário\" de itens que não estão gravados"_s.arg(soltas);
        QSqlQuery orcamentos = Banco::Executar(
            u"SELECT NumeroDoOrcamento, ValorTotal, DescontoEmValor, ValorLiquido FROM Orcamentos"_s);
        while (orcamentos.next()) {
            const qint64 numero = orcamentos.value(0).toLongLong();
            const Somas s = somas.value(numero);
            const Currency total = Banco::MoedaDe(orcamentos.value(1)),
                           desconto = Banco::MoedaDe(orcamentos.value(2)),
                           liquido = Banco::MoedaDe(orcamentos.value(3));
            if (s.itens == 0 || Difere(total, s.bruto) || Difere(desconto, s.desconto) ||
                Difere(liquido, s.liquido))
                return u"o orçamento %1 gravado com %2 / %3 / %4 tem %5 itens que somam %6 / %7 / %8"_s.arg(
                    QString::number(numero), EmTexto(total), EmTexto(desconto), EmTexto(liquido),
                    QString::number(s.itens), EmTexto(s.bruto), EmTexto(s.desconto), EmTexto(s.liquido));
            const auto estimativa = PacotesDeProcedimentos::EstimativaDoOrcamento(numero);
            if (estimativa && s.marcados > 0 && estimativa->Minimo < estimativa->Maximo)
                ++mlonConferidosComSeNecessario;
            if (!estimativa || estimativa->Minimo > estimativa->Maximo || estimativa->Maximo != liquido ||
                liquido != s.liquido || estimativa->Minimo != s.semMarca ||
                estimativa->ItensSeNecessario != s.marcados)
                return u"o orçamento %1 gravado com %2 e itens que somam %3 (%4 sem os %5 marcados) tem a "
                       u"estimativa de %6 a %7"_s.arg(
                           QString::number(numero), EmTexto(liquido), EmTexto(s.liquido), EmTexto(s.semMarca),
                           QString::number(s.marcados), estimativa ? EmTexto(estimativa->Minimo) : u"?"_s,
                           estimativa ? EmTexto(estimativa->Maximo) : u"?"_s);
        }
        return {};
    }

    // The list's grid holds the rows its bar names; after a record form stored something, the
    // bar counts what is stored under the list's filter (what a new selection finds, when a
    // text is searched).
    QString ConferirLista() const {
        const auto* barra = mlista->findChild<XRNavigationBar*>(u"xrnbBarraDeNavegacao"_s);
        const MSFlexGrid* grade = mlista->Grade();
        if (barra->TotalDeRegistros() > 0 && grade->Visible() &&
            grade->Rows() - 1 != barra->UltimoRegistro() - barra->PrimeiroRegistro() + 1)
            return u"a grade da lista tem %1 linhas e a barra diz %2"_s.arg(
                QString::number(grade->Rows() - 1), barra->TextoExibido());
        // The find box and the filter hide only when nothing at all is stored.
        const auto* pesquisa = mlista->findChild<XRFind*>(u"xrfndPesquisar"_s);
        if (!pesquisa->Visible())
            if (const qint64 gravados = BancoDeTeste::Numero("SELECT COUNT(*) FROM Orcamentos"); gravados > 0)
                return u"a lista esconde a pesquisa com %1 orçamentos gravados"_s.arg(gravados);
        if (!mbooListaRecarregada) return {};
        const auto* situacao = mlista->findChild<XRComboBox*>(u"xrcmbSituacao"_s);
        const qint32 codigo = situacao->ItemData(situacao->ListIndex());
        const QString texto = pesquisa->Text();
        qint64 gravados = 0;
        if (texto.trimmed().isEmpty()) {
            // Every quote of the walk is recent: made on its day or two weeks before.
            gravados = codigo >= ZELT_N_Orcamentos::FiltroDaLista::AguardandoResposta
                           ? ContagemPorEtapa(codigo)
                           : BancoDeTeste::Numero(
                                 codigo == 1   ? "SELECT COUNT(*) FROM Orcamentos WHERE Situacao = 1"
                                 : codigo == 2 ? "SELECT COUNT(*) FROM Orcamentos WHERE Situacao = 2"
                                               : "SELECT COUNT(*) FROM Orcamentos");
        } else {
            auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
            qint16 tamanho = 10;
            orcamentos->Selecionar(1, tamanho, codigo, texto, 0, 0);
            gravados = orcamentos->ResultadoDaSelecaoEmRecordSet()->RecordCount();
        }
        if (barra->TotalDeRegistros() != gravados)
            return u"a lista conta %1 orçamentos e o banco tem %2 (filtro %3, pesquisa %4)"_s.arg(
                QString::number(barra->TotalDeRegistros()), QString::number(gravados),
                QString::number(codigo), Resumo(texto));
        return {};
    }

    // The quotes a filter by stage selects, counted here from the stored rows and the
    // walk's still clock, apart from the business layer's own conditions.
    static qint64 ContagemPorEtapa(qint32 codigo) {
        namespace F = ZELT_N_Orcamentos::FiltroDaLista;
        const QString hoje = Banco::DataIso(Hoje);
        const QString& etapa = EtapaDoOrcamento;
        const QString aguardando = etapa + u" IN ('Em aberto', 'Enviado')"_s;
        const QString semana = Banco::DataIso(Hoje.addDays(7));
        QString condicao = etapa + u" = 'Concluído'"_s;
        QVariantList parametros;
        switch (codigo) {
        case F::AguardandoResposta:
            condicao = etapa + u" = 'Enviado' AND o.DataDeValidadeDoOrcamento >= ?"_s;
            parametros = {hoje};
            break;
        case F::VencemEmAte7Dias:
            condicao = aguardando + u" AND o.DataDeValidadeDoOrcamento BETWEEN ? AND ?"_s;
            parametros = {hoje, semana};
            break;
        case F::Vencidos:
            condicao = aguardando + u" AND o.DataDeValidadeDoOrcamento < ?"_s;
            parametros = {hoje};
            break;
        case F::Aprovados:
            condicao = etapa + u" IN ('Aprovado', 'Aprovado em parte')"_s;
            break;
        case F::Recusados:
            condicao = etapa + u" = 'Recusado'"_s;
            break;
        }
        return Banco::Valor(u"SELECT COUNT(*) FROM Orcamentos o WHERE "_s + condicao, parametros)
            .toLongLong();
    }

    // The follow-up window on top, read again after whatever its commands changed: each
    // section's caption counts, and its grid lists in order, the quotes the section's
    // definition selects from the stored rows, each with its stage as shown and its days
    // without an answer; the period's figures count the quotes made in the period the
    // window names. All counted here from the stored rows and the walk's still day, apart
    // from the business layer's queries and counters. A walk has far fewer quotes than a
    // section's 100 rows, so every quote selected is on the grid.
    QString ConferirAcompanhamento(const QWidget& janela) {
        const QString& etapa = EtapaDoOrcamento;
        const QString dataDaEtapa = u"(SELECT e.DataEHoraDaEtapa FROM EtapasDoOrcamento e WHERE "
                                    u"e.NumeroDoOrcamento = o.NumeroDoOrcamento)"_s;
        const QString ultimoEnvio = u"(SELECT MAX(s.DataEHoraDoEnvio) FROM EnviosDeOrcamentos s WHERE "
                                    u"s.NumeroDoOrcamento = o.NumeroDoOrcamento)"_s;
        const QString aguardando = etapa + u" IN ('Em aberto', 'Enviado')"_s;
        const QString validade = u"o.DataDeValidadeDoOrcamento"_s;
        const auto dia = [](int dias) { return Banco::DataIso(Hoje.addDays(dias)); };
        struct Secao {
            const char16_t* nome;
            const char16_t* titulo;
            QString condicao;
            QVariantList parametros;
            QString ordem;
        };
        // Sent without an answer: its last contact, the stage's day or a send's, three days
        // ago or before.
        const std::array<Secao, 4> secoes{{
            {u"Vencem",
             u"Vencem em até 7 dias",
             aguardando + u" AND "_s + validade + u" BETWEEN ? AND ?"_s,
             {dia(0), dia(7)},
             validade + u", o.NumeroDoOrcamento"_s},
            {u"SemResposta",
             u"Enviados sem resposta há 3 dias ou mais",
             etapa + u" = 'Enviado' AND "_s + validade + u" >= ? AND SUBSTR("_s + dataDaEtapa +
                 u", 1, 10) <= ? AND COALESCE(SUBSTR("_s + ultimoEnvio + u", 1, 10), '') <= ?"_s,
             {dia(0), dia(-3), dia(-3)},
             validade + u", o.NumeroDoOrcamento"_s},
            {u"Vencidos",
             u"Vencidos nos últimos 30 dias",
             aguardando + u" AND "_s + validade + u" < ? AND "_s + validade + u" >= ?"_s,
             {dia(0), dia(-30)},
             validade + u" DESC, o.NumeroDoOrcamento DESC"_s},
            {u"Aprovados",
             u"Aprovados ainda não concluídos",
             etapa + u" IN ('Aprovado', 'Aprovado em parte')"_s,
             {},
             u"o.NumeroDoOrcamento DESC"_s},
        }};
        for (qsizetype i = 0; i < qsizetype(secoes.size()); ++i) {
            const Secao& secao = secoes[i];
            QStringList esperadas;
            QSqlQuery q = Banco::Executar(u"SELECT o.NumeroDoOrcamento, "_s + etapa + u", "_s + validade +
                                              u", o.DataDoOrcamento, "_s + dataDaEtapa + u", "_s +
                                              ultimoEnvio + u" FROM Orcamentos o WHERE "_s + secao.condicao +
                                              u" ORDER BY "_s + secao.ordem,
                                          secao.parametros);
            while (q.next()) {
                // The stage shown and the days since the last contact: the later of the
                // quote's day, the stage's day (when "Enviado") and the last send's.
                const QString gravada = q.value(1).toString();
                const bool semResposta = gravada == u"Em aberto"_s || gravada == u"Enviado"_s;
                const auto dia = [&](int i) {
                    return QDate::fromString(q.value(i).toString().left(10), Qt::ISODate);
                };
                QDate contato = Banco::DataDeIso(q.value(3).toString());
                if (gravada == u"Enviado"_s) contato = std::max(contato, dia(4));
                if (!q.isNull(5)) contato = std::max(contato, dia(5));
                esperadas << Juntos(
                    q.value(0).toLongLong(),
                    semResposta && Banco::DataDeIso(q.value(2).toString()) < Hoje ? u"Vencido"_s : gravada,
                    semResposta ? QString::number(contato.daysTo(Hoje)) : QString());
            }
            const QString nome = QString::fromUtf16(secao.nome);
            const auto* grade = janela.findChild<MSFlexGrid*>(u"msfgSecao"_s + nome);
            QStringList linhas;
            for (int r = 1; r < grade->Rows(); ++r)
                linhas << Juntos(grade->TextMatrix(r, 1), grade->TextMatrix(r, 6), grade->TextMatrix(r, 8));
            const QString legenda = janela.findChild<Label*>(u"lblSecao"_s + nome)->Caption();
            const QString esperada =
                u"%1 (%2)"_s.arg(QString::fromUtf16(secao.titulo), QString::number(esperadas.size()));
            if (legenda != esperada || linhas != esperadas)
                return u"o acompanhamento mostra \"%1\" com as linhas %2 e o banco tem \"%3\", %4"_s.arg(
                    legenda, linhas.join(u", "_s), esperada, esperadas.join(u", "_s));
            mlinhasDoAcompanhamento[i] += esperadas.size();
        }
        ++mlonConferenciasDoAcompanhamento;
        return ConferirNumerosDoAcompanhamento(janela);
    }

    // The figures of the period and user the window's lists name: the quotes made in it
    // (and their net values), sent (no longer "Em aberto"), approved ("Aprovado",
    // "Aprovado em parte" or "Concluído"), refused, and expired (not answered, valid
    // until before today).
    static QString ConferirNumerosDoAcompanhamento(const QWidget& janela) {
        static const QStringList meses{u"Janeiro"_s,  u"Fevereiro"_s, u"Março"_s,    u"Abril"_s,
                                       u"Maio"_s,     u"Junho"_s,     u"Julho"_s,    u"Agosto"_s,
                                       u"Setembro"_s, u"Outubro"_s,   u"Novembro"_s, u"Dezembro"_s};
        const auto* periodo = janela.findChild<XRComboBox*>(u"cboPeriodo"_s);
        const auto* usuario = janela.findChild<XRComboBox*>(u"cboUsuario"_s);
        const QString nomeDoPeriodo = periodo->List(std::max(periodo->ListIndex(), 0));
        QDate inicio = Hoje.addDays(-29), fim = Hoje;
        if (nomeDoPeriodo == u"Últimos 90 dias"_s) {
            inicio = Hoje.addDays(-89);
        } else if (nomeDoPeriodo != u"Últimos 30 dias"_s) {
            const QStringList mesEAno = nomeDoPeriodo.split(u" de "_s);
            inicio = QDate(mesEAno.value(1).toInt(), int(meses.indexOf(mesEAno.value(0))) + 1, 1);
            fim = inicio.addMonths(1).addDays(-1);
        }
        QString sql =
            u"SELECT "_s + EtapaDoOrcamento +
            u", o.ValorLiquido, o.DataDeValidadeDoOrcamento FROM Orcamentos o WHERE o.DataDoOrcamento "
            u"BETWEEN ? AND ?"_s;
        QVariantList parametros{Banco::DataIso(inicio), Banco::DataIso(fim)};
        if (usuario->ListIndex() > 0) {
            sql += u" AND o.UsuarioDaInclusao = ?"_s;
            parametros << usuario->Text();
        }
        qint64 feitos = 0, enviados = 0, aprovados = 0, recusados = 0, vencidos = 0;
        Currency oferecido;
        QSqlQuery q = Banco::Executar(sql, parametros);
        while (q.next()) {
            const QString etapa = q.value(0).toString();
            ++feitos;
            oferecido += Banco::MoedaDe(q.value(1));
            enviados += etapa != u"Em aberto"_s;
            aprovados += etapa == u"Aprovado"_s || etapa == u"Aprovado em parte"_s || etapa == u"Concluído"_s;
            recusados += etapa == u"Recusado"_s;
            vencidos += (etapa == u"Em aberto"_s || etapa == u"Enviado"_s) &&
                        Banco::DataDeIso(q.value(2).toString()) < Hoje;
        }
        const auto legenda = [&](const char16_t* nome) {
            return janela.findChild<Label*>(QString::fromUtf16(nome))->Caption();
        };
        const QStringList mostrados{legenda(u"lblFeitos"), legenda(u"lblEnviados"), legenda(u"lblAprovados"),
                                    legenda(u"lblRecusados"), legenda(u"lblVencidos")};
        const QString feitosEsperados = u"Orçamentos feitos: %1 (%2 a %3), valor oferecido %4"_s.arg(
            QString::number(feitos), inicio.toString(u"dd/MM/yyyy"_s), fim.toString(u"dd/MM/yyyy"_s),
            VB::Format(QVariant::fromValue(oferecido), u"#,##0.00"_s));
        const QString recusadosEsperados = u"Recusados: %1"_s.arg(recusados);
        if (mostrados[0] != feitosEsperados || mostrados[1] != u"Enviados: %1"_s.arg(enviados) ||
            !mostrados[2].startsWith(u"Aprovados: %1, valor "_s.arg(aprovados)) ||
            (mostrados[3] != recusadosEsperados && !mostrados[3].startsWith(recusadosEsperados + u" ("_s)) ||
            mostrados[4] != u"Vencidos: %1"_s.arg(vencidos))
            return u"o acompanhamento de %1 (%2) mostra \"%3\" e o banco tem %4 feitos (%5), %6 enviados, %7 "
                   u"aprovados, %8 recusados, %9 vencidos"_s.arg(
                       nomeDoPeriodo, usuario->Text(), mostrados.join(u"\" \""_s), QString::number(feitos),
                       EmTexto(oferecido), QString::number(enviados), QString::number(aprovados),
                       QString::number(recusados), QString::number(vencidos));
        return {};
    }

    // After the row menu was used: every filter by stage counts what is stored, and each
    // quote's history is a sequence of legal moves ending in the stage stored for it.
    QString ConferirEtapas() {
        if (!mbooEtapas) return {};
        mbooEtapas = false;
        return ConferirFiltrosEHistoricos();
    }

    QString ConferirFiltrosEHistoricos() const {
        auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        for (qint32 codigo = ZELT_N_Orcamentos::FiltroDaLista::AguardandoResposta;
             codigo <= ZELT_N_Orcamentos::FiltroDaLista::Concluidos; ++codigo) {
            qint16 tamanho = 10;
            orcamentos->Selecionar(1, tamanho, codigo, QString(), 0, 0);
            const qint64 lista = orcamentos->ResultadoDaSelecaoEmRecordSet()->RecordCount();
            if (const qint64 banco = ContagemPorEtapa(codigo); lista != banco)
                return u"o filtro %1 conta %2 orçamentos e o banco tem %3"_s.arg(
                    QString::number(codigo), QString::number(lista), QString::number(banco));
        }
        QSqlQuery q = Banco::Executar(
            u"SELECT h.NumeroDoOrcamento, h.Operacao, COALESCE((SELECT e.Etapa FROM EtapasDoOrcamento e "
            "WHERE e.NumeroDoOrcamento = h.NumeroDoOrcamento), 'Em aberto') FROM HistoricoDeOrcamentos h "
            "WHERE h.NumeroDoOrcamento IN (SELECT NumeroDoOrcamento FROM Orcamentos) ORDER BY "
            "h.NumeroDoOrcamento, h.NumeroDoRegistro"_s);
        QHash<qint64, QString> etapas, gravadas;
        QSet<qint64> enviados; // a send on record: an approval undone goes back to "Enviado"
        while (q.next()) {
            const qint64 numero = q.value(0).toLongLong();
            const QString operacao = q.value(1).toString();
            QString& etapa = etapas[numero];
            gravadas[numero] = q.value(2).toString();
            if (etapa.isEmpty() || operacao == u"restaurado"_s) {
                etapa = u"Em aberto"_s;
                enviados.remove(numero); // a quote's sends go with it when it is deleted
            }
            const QString antes = etapa;
            const bool aguardando = etapa == u"Em aberto"_s || etapa == u"Enviado"_s;
            const bool aprovado = etapa == u"Aprovado"_s || etapa == u"Aprovado em parte"_s;
            bool legal = true;
            if (operacao.startsWith(u"enviado por"_s)) {
                enviados.insert(numero);
                if (etapa == u"Em aberto"_s) etapa = u"Enviado"_s;
            } else if (operacao == u"aprovação desfeita"_s) {
                legal = aprovado, etapa = enviados.contains(numero) ? u"Enviado"_s : u"Em aberto"_s;
            } else if (operacao == u"renovado"_s) {
                legal = aguardando;
            } else if (operacao == u"entregue ao cliente"_s) {
                legal = aguardando, etapa = u"Enviado"_s;
            } else if (operacao == u"aprovado"_s || operacao == u"aprovado em parte"_s) {
                legal = aguardando,
                etapa = operacao == u"aprovado"_s ? u"Aprovado"_s : u"Aprovado em parte"_s;
            } else if (operacao.startsWith(u"recusado: "_s)) {
                legal = aguardando || aprovado, etapa = u"Recusado"_s;
            } else if (operacao == u"concluído"_s) {
                legal = aprovado, etapa = u"Concluído"_s;
            }
            if (!legal)
                return u"o orçamento %1 passou de %2 a %3 (%4)"_s.arg(QString::number(numero), antes, etapa,
                                                                      operacao);
        }
        for (auto it = etapas.cbegin(); it != etapas.cend(); ++it)
            if (gravadas.value(it.key()) != it.value())
                return u"o histórico do orçamento %1 termina em %2 e a etapa gravada é %3"_s.arg(
                    QString::number(it.key()), it.value(), gravadas.value(it.key()));
        return {};
    }

    // Each approval in force is worth its approved items as stored (quantity × unit value
    // less the item's discount, each to the cent, summed here), and with no item declined the
    // quote's net value (its discount in it); a quote's payments never pass its latest
    // approval; the stage agrees with the approval in force: "Aprovado", or "Aprovado em
    // parte" when items were declined, or "Concluído"; no approved stage without one.
    static QString ConferirAprovacoes() {
        QHash<qint64, QHash<qint64, qint64>> centavos; // quote -> item -> its net in cents
        QSqlQuery itens = Banco::Executar(u"SELECT NumeroDoOrcamento, NumeroDoItemDoOrcamento, Quantidade, "
                                          u"ValorUnitario, DescontoEmValor FROM ItensDeOrcamento"_s);
        while (itens.next()) {
            const Currency liquido = Banco::MoedaDe(itens.value(2)) * Banco::MoedaDe(itens.value(3)) -
                                     Banco::MoedaDe(itens.value(4));
            centavos[itens.value(0).toLongLong()][itens.value(1).toLongLong()] =
                std::llround(double(liquido.DecimosDeMilesimos()) / 100);
        }
        QSqlQuery q = Banco::Executar(
            u"SELECT o.NumeroDoOrcamento, COALESCE(e.Etapa, 'Em aberto'), a.ItensRecusados, a.ValorAprovado, "
            u"o.ValorLiquido, (SELECT SUM(p.Valor) FROM PagamentosDoOrcamento p WHERE p.NumeroDoOrcamento = "
            u"o.NumeroDoOrcamento), (SELECT u.ValorAprovado FROM AprovacoesDoOrcamento u WHERE "
            u"u.NumeroDoOrcamento = o.NumeroDoOrcamento ORDER BY u.NumeroDaAprovacao DESC LIMIT 1) FROM "
            u"Orcamentos o LEFT JOIN EtapasDoOrcamento e ON e.NumeroDoOrcamento = o.NumeroDoOrcamento LEFT "
            u"JOIN AprovacoesDoOrcamento a ON a.NumeroDoOrcamento = o.NumeroDoOrcamento AND "
            u"a.DataEHoraDesfeita IS NULL"_s);
        while (q.next()) {
            const qint64 numero = q.value(0).toLongLong();
            const QString etapa = q.value(1).toString();
            const bool emVigor = !q.isNull(3);
            const QStringList recusados = q.value(2).toString().split(u',', Qt::SkipEmptyParts);
            const QString qual = u"o orçamento %1 (%2)"_s.arg(QString::number(numero), etapa);
            const bool etapaAprovada = etapa == u"Aprovado"_s || etapa == u"Aprovado em parte"_s;
            if (etapaAprovada && !emVigor) return qual + u" não tem aprovação em vigor"_s;
            if (emVigor && !etapaAprovada && etapa != u"Concluído"_s)
                return qual + u" tem uma aprovação em vigor"_s;
            if (etapaAprovada && (etapa == u"Aprovado em parte"_s) != !recusados.isEmpty())
                return qual + u" tem os itens recusados '%1'"_s.arg(q.value(2).toString());
            if (emVigor) {
                qint64 esperado = 0;
                const QHash<qint64, qint64> doOrcamento = centavos.value(numero);
                for (auto it = doOrcamento.cbegin(); it != doOrcamento.cend(); ++it)
                    if (!recusados.contains(QString::number(it.key()))) esperado += it.value();
                const Currency aprovado = Banco::MoedaDe(q.value(3));
                if (Difere(aprovado, Currency::DeDecimosDeMilesimos(esperado * 100)) ||
                    (recusados.isEmpty() && Difere(aprovado, Banco::MoedaDe(q.value(4)))))
                    return qual + u" foi aprovado por %1 e seus itens aprovados somam %2 (líquido %3)"_s.arg(
                                      EmTexto(aprovado),
                                      EmTexto(Currency::DeDecimosDeMilesimos(esperado * 100)),
                                      VB::CStr(QVariant::fromValue(Banco::MoedaDe(q.value(4)))));
            }
            const Currency pago = q.isNull(5) ? Currency() : Banco::MoedaDe(q.value(5));
            const Currency limite = q.isNull(6) ? Currency() : Banco::MoedaDe(q.value(6));
            if (pago.DecimosDeMilesimos() < 0 || pago.DecimosDeMilesimos() > limite.DecimosDeMilesimos())
                return qual +
                       u" tem %1 pagos e a última aprovação vale %2"_s.arg(EmTexto(pago), EmTexto(limite));
        }
        return {};
    }

    // Text for a box of the windows of a quote's life, a third of the time what a person
    // might type anywhere: whoever approves, a CPF; a payment, amounts about what is left,
    // a Pix id, a reason to reverse it.
    std::optional<QString> TextoDoAndamento(QWidget* c) {
        if (!mbooAndamento || mdados->Ate(3) == 0) return std::nullopt;
        if (c->objectName() == u"txtCPF"_s) return Cpf(*mdados);
        if (c->objectName() == u"txtIdDaTransacao"_s) return u"E2026%1"_s.arg(mdados->Ate(1000000));
        if (c->objectName() == u"txtMotivo"_s) return u"pago em duplicidade"_s;
        auto* pagamento = qobject_cast<frmRegistrarPagamento*>(c->window());
        if (!pagamento || c->objectName() != u"xrnbValor"_s) return std::nullopt;
        const auto valor = [&](const QString& rotulo) {
            return VB::CCur(pagamento->findChild<Label*>(rotulo)->Caption().section(u"R$ "_s, 1));
        };
        const Currency aprovado = valor(u"lblValorAprovado"_s), falta = valor(u"lblFaltaPagar"_s);
        const Currency centavo = Currency::DeDecimosDeMilesimos(100);
        const Currency metade = Currency::DeDecimosDeMilesimos(falta.DecimosDeMilesimos() / 200 * 100);
        const std::array valores{falta,    falta + centavo, metade, aprovado, aprovado + aprovado,
                                 -centavo, Currency()};
        return VB::Format(QVariant::fromValue(mdados->Um(valores)), u"#,##0.00"_s);
    }

    static bool JanelaDoAndamento(const QWidget* janela) {
        return EhUm<frmAcompanhamento, frmRenovarValidade, frmAprovarOrcamento, frmRegistrarPagamento>(
            janela);
    }

    static qint64 MudancasDeEtapa() {
        return BancoDeTeste::Numero(
            "SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE Operacao IN ('entregue ao cliente', "
            "'aprovado', 'aprovado em parte', 'concluído') OR Operacao LIKE 'recusado: %'");
    }

    // The text boxes of the stage, approval and payment windows.
    static bool CaixaDeTextoDaEtapa(QWidget* w) {
        return qobject_cast<QLineEdit*>(w) && (qobject_cast<frmRegistroDaEtapa*>(w->parentWidget()) ||
                                               EhUm<frmAprovarOrcamento, frmRegistrarPagamento>(w->window()));
    }

    void EscreverCopiaDeUmOrcamentoGravado(const QString& caminho) {
        const QList<qint64> numeros = BancoDeTeste::Inteiros(u"SELECT NumeroDoOrcamento FROM Orcamentos"_s);
        if (numeros.isEmpty()) return;
        const BancoDeTeste::GradeEmMemoria grade =
            BancoDeTeste::GradeEmMemoria::DoOrcamento(double(mdadosDaCopia->Um(numeros)));
        QJsonArray itens;
        for (int linha = 1; linha < grade.Rows(); ++linha) {
            QJsonArray celulas;
            for (int coluna = GradeDeItens::TipoDeServicoOuCodigoDeBarras;
                 coluna <= GradeDeItens::CodigoDaSituacao; ++coluna)
                celulas << (coluna == GradeDeItens::NumeroDoItem ? u"0"_s : grade.TextMatrix(linha, coluna));
            itens << celulas;
        }
        const QString cliente = BancoDeTeste::Consulta("SELECT MIN(CodigoDoCliente) FROM Orcamentos");
        const QJsonObject copia{
            {u"banco"_s, Zelt::IdentidadeDoBancoAberto()},
            {u"quando"_s, QDateTime::currentDateTime().toString(Qt::ISODate)},
            {u"cliente"_s, QJsonObject{{u"codigo"_s, cliente.toDouble()}, {u"nome"_s, u"João da Silva"_s}}},
            {u"animal"_s, QJsonObject{{u"codigo"_s, 10}}},
            {u"itens"_s, itens}};
        BancoDeTeste::EscreverArquivo(caminho, QJsonDocument(copia).toJson());
    }

    // One change at random to the copy's JSON; what was changed.
    QString EditarCopia(const QString& caminho) {
        Dados& d = *mdadosDaCopia;
        QJsonObject copia = QJsonDocument::fromJson(BancoDeTeste::LerArquivo(caminho)).object();
        QJsonArray itens = copia.value(u"itens"_s).toArray();
        QString feito;
        switch (itens.isEmpty() ? 0 : d.Ate(6)) {
        case 0:
            copia.insert(u"banco"_s, u"outro banco"_s);
            feito = u"outro banco"_s;
            break;
        case 1:
            copia.insert(u"cliente"_s, QJsonObject{{u"codigo"_s, d.Um(std::array{1, 2, 3, 4, 9, 99})},
                                                   {u"nome"_s, u"%1 e %3"_s}});
            feito = u"outro cliente"_s;
            break;
        case 2:
            itens.removeAt(d.Ate(int(itens.size())));
            feito = u"um item a menos"_s;
            break;
        case 3: {
            // A money or quantity cell: a number, another number, or no number at all.
            const int item = d.Ate(int(itens.size()));
            QJsonArray celulas = itens.at(item).toArray();
            const int coluna = d.Um(std::array{GradeDeItens::Quantidade, GradeDeItens::ValorUnitario,
                                               GradeDeItens::PercentualDeDesconto,
                                               GradeDeItens::ValorDeDesconto, GradeDeItens::ValorTotal});
            const QString texto = d.Um(std::array{u"0,10"_s, u"50,00"_s, u"1.000,00"_s, u"-1"_s, u"abc"_s,
                                                  u""_s, u"922337203685477,5807"_s});
            celulas.replace(coluna - GradeDeItens::TipoDeServicoOuCodigoDeBarras, texto);
            itens.replace(item, celulas);
            feito = u"item %1, coluna %2: '%3'"_s.arg(QString::number(item), QString::number(coluna), texto);
            break;
        }
        case 4:
            itens.append(QJsonArray{u"x"_s});
            feito = u"item sem colunas"_s;
            break;
        default:
            BancoDeTeste::EscreverArquivo(caminho, BancoDeTeste::LerArquivo(caminho).left(d.Ate(200)));
            return u"cortada"_s;
        }
        copia.insert(u"itens"_s, itens);
        BancoDeTeste::EscreverArquivo(caminho, QJsonDocument(copia).toJson());
        return feito;
    }

    // Quotes handed over and sent days before, so that every section of the follow-up has
    // rows from the start (3 expired on 20 February, 4 and 5 ending this week, 6 and 7
    // approved): 8, made two weeks ago and handed over the day after, expired on 26 February
    // (its validity as made); 9 and 10, handed over twelve days ago and valid until 16
    // March, 10 sent again three days ago in the evening (still three days without an
    // answer); 11, valid until 5 March and sent two days ago (not yet three).
    void PrepararAcompanhamento() {
        Banco::Executar(
            u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento IN (9, 10)"_s,
            {Banco::DataIso(Hoje.addDays(14))});
        Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento = 11"_s,
                        {Banco::DataIso(Hoje.addDays(3))});
        auto etapas = BancoDeTeste::Objeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento,
                                                                                    musuario.get());
        auto envios = BancoDeTeste::Objeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(
            ProgId::EnviosDeOrcamentos, musuario.get());
        const std::array<std::tuple<double, int, int>, 4> entregas{
            {{8, -13, 9}, {9, -12, 9}, {10, -12, 9}, {11, -10, 9}}};
        for (const auto& [numero, dias, hora] : entregas) {
            FixarRelogio(QDateTime(Hoje.addDays(dias), QTime(hora, 0)));
            etapas->Ler(numero);
            QCOMPARE(etapas->EntregueAoCliente(numero), qint16(0));
        }
        for (const auto& [numero, dias, hora] : {std::tuple{10.0, -3, 18}, std::tuple{11.0, -2, 8}}) {
            FixarRelogio(QDateTime(Hoje.addDays(dias), QTime(hora, 0)));
            QCOMPARE(envios->RegistrarEnvio(numero, ZELT_N_Orcamentos::CanalWhatsApp, u"5519999990000"_s),
                     qint16(0));
        }
        FixarRelogio(QDateTime(Hoje, QTime(10, 0)));
    }

    // Two packages: one for any species in two bands (up to 5 kg, 5 to 15 kg), with items
    // "se necessário" and an inactive service; one for dogs only.
    void GravarPacotes() {
        using namespace ZELT_N_Orcamentos;
        const auto kg = [](int gramas) { return Currency::DeDecimosDeMilesimos(gramas * 10LL); };
        const auto servico = [](qint64 codigo, bool seNecessario = false) {
            return ItemDoPacote{
                GradeDeItens::LancamentoDeServico, codigo, Currency::DeInteiro(1), seNecessario, {}};
        };
        const auto produto100 = [](Currency quantidade) { // "se necessário"
            return ItemDoPacote{GradeDeItens::LancamentoDeProduto, 100, quantidade, true, {}};
        };
        PacoteDeProcedimentos castracao{0, u"Castração"_s, {}, {}};
        castracao.Faixas = {
            {Currency(), kg(5000), {servico(1), servico(3), produto100(Currency::DeInteiro(2))}},
            {kg(5000), kg(15000), {servico(3), produto100(kg(1500)), servico(5, true)}}};
        PacoteDeProcedimentos limpeza{0, u"Limpeza de tártaro"_s, EspecieCao, {}};
        limpeza.Faixas = {{Currency(), Currency::DeInteiro(80), {servico(1, true)}}};
        for (const auto& pacote : {castracao, limpeza}) {
            auto objeto = BancoDeTeste::Objeto<clsPacotesDeProcedimentos>(ProgId::PacotesDeProcedimentos,
                                                                          musuario.get());
            objeto->Pacote = pacote;
            QCOMPARE(objeto->Gravar(), Resultado::Sucesso);
        }
    }

    // The package's window: a package or none, a weight in a band, on a band's edge, outside
    // every band, or not a weight at all; then "Adicionar" (Cancel when it was refused), or
    // Cancel, or Escape.
    void ResponderPacote(frmPacoteDaFicha* janela) {
        auto* pacote = janela->findChild<XRComboBox*>(u"xrcmbPacote"_s);
        auto* peso = janela->findChild<XRNumberBox*>(u"xrnumPeso"_s);
        Dados& d = *mdadosDoPacote;
        const int i = d.Ate(4) == 0 ? -1 : d.Ate(pacote->ListCount());
        pacote->setListIndex(i);
        static const QStringList foraOuRuins{u"15,001"_s, u"0"_s,     u"-2"_s,  u"80"_s, u"1000,5"_s,
                                             u"3,8 kg"_s, u"3,8,1"_s, u"abc"_s, u""_s,   u"0,0004"_s};
        // Mostly a weight some band holds, so that packages do go in.
        static const QStringList nasFaixas{u"3,8"_s, u"5"_s, u"5,001"_s, u"12,125"_s, u"15"_s, u"0,5"_s};
        const int sorte = d.Ate(6);
        peso->setText(sorte < 3 ? d.Um(nasFaixas) : sorte < 5 ? d.Um(foraOuRuins) : Texto(d, true));
        const int resposta = d.Ate(10);
        Registrar(u"pacote %1, peso %2, %3"_s.arg(i < 0 ? u"nenhum"_s : pacote->List(i), Resumo(peso->Text()),
                                                  resposta == 0   ? u"cancela"_s
                                                  : resposta == 1 ? u"Escape"_s
                                                                  : u"adiciona"_s));
        if (resposta == 0) return emit janela->findChild<XRCommandButton*>(u"xrcmdCancelar"_s)->Click();
        if (resposta == 1) return QTest::keyClick(janela, Qt::Key_Escape);
        emit janela->findChild<XRCommandButton*>(u"xrcmdConfirmar"_s)->Click();
        // Refused (no package, no weight): the window stays and the person gives up.
        if (janela->CodigoDoPacote() == 0)
            emit janela->findChild<XRCommandButton*>(u"xrcmdCancelar"_s)->Click();
    }

    void Registrar(const QString& linha) {
        if (!Diario.Passos.isEmpty()) Diario.Passos.last() += u"\n      "_s + linha;
    }
    void Falhar(const QString& motivo) {
        if (mstrFalha.isEmpty()) mstrFalha = u"passo %1: %2"_s.arg(QString::number(mlonPasso), motivo);
    }
    bool Acabou() const { return mlonPasso >= mlonPassos || !mstrFalha.isEmpty(); }

    std::unique_ptr<Dados> mdados;
    std::unique_ptr<Dados> mdadosDaCopia;
    std::unique_ptr<Dados> mdadosDoPacote; // dice of their own, as the copy's
    qint64 mlonPacotesAdicionados = 0, mlonCliquesNoPacote = 0;
    qint64 mlonConferidosComSeNecessario = 0;
    // The follow-up window's checks, and the rows each section held summed over them.
    qint64 mlonConferenciasDoAcompanhamento = 0;
    std::array<qint64, 4> mlinhasDoAcompanhamento{};
    bool mbooPacotes = false; // packages stored, and "Adicionar pacote" among the actions
    qint64 mlonPasso = 0;
    qint64 mlonPassos = 0;
    qint64 mlonCopiasEditadas = 0;
    QString mstrFalha;
    QList<QWidget*> mpilha; // the modal displays walked, innermost last
    bool mbooGravou = false;
    bool mbooListaRecarregada = false;
    bool mbooEtapas = false;                // the row menu was used since the last check of the stages
    bool mbooAndamento = false;             // the walk goes through the windows of a quote's life
    QString mstrMarcaDoBanco;               // history entries and payments at the last check of the approvals
    QMap<QString, int> mjanelasDoAndamento; // the windows of a quote's life walked, by class
    qint64 mlonMudancasDeEtapa = 0;         // the stage moves the histories held at the last check
};

QTEST_MAIN(TesteDoPasseio)
#include "tst_passeio.moc"
