#include "platform/suite/ComponentesDaSuite.h"

#include "contracts/CriarObjeto.h"
#include "contracts/PastaDeDados.h"
#include "contracts/VB.h"
#include "platform/Plataforma.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSysInfo>
#include <QWidget>

namespace Suite {
namespace {

QString TextoDoVariant(const QVariant& valor) {
    if (VB::IsNull(valor)) return QString();
    return VB::CStr(valor);
}

class clsMensagem final : public ZELT_A_MsgErro::clsMensagem {
public:
    QVariant Exibir(QVariant& Numero, QVariant& Descricao, QVariant& Local,
                    QVariant& NomeDaAplicacao) override {
        const QString numero = TextoDoVariant(Numero);
        const QString descricao = TextoDoVariant(Descricao);
        const QString local = TextoDoVariant(Local);
        RegistrarErro(TextoDoVariant(NomeDaAplicacao), numero, descricao, local);
        Plataforma::MsgBox(QStringLiteral("Ocorreu um erro inesperado.\n\nNúmero: ") + numero +
                               QStringLiteral("\nDescrição: ") + descricao + QStringLiteral("\nLocal: ") +
                               local,
                           Plataforma::vbCritical, TextoDoVariant(NomeDaAplicacao));
        return QVariant();
    }
};

const QString NomeDaCobertura = QStringLiteral("FundoEscuro");

// The translucent cover laid over a window; a child of it, always as large as it.
class CoberturaEscura final : public QWidget {
public:
    explicit CoberturaEscura(QWidget* janela) : QWidget(janela) {
        setObjectName(NomeDaCobertura);
        setGeometry(janela->rect());
        janela->installEventFilter(this);
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter pintor(this);
        pintor.fillRect(rect(), QColor(0, 0, 0, 110));
    }
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto == parent() && evento->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
        return false;
    }
};

class clsFundoEscuro final : public ZELT_A_EfeitosDeTela::clsFundoEscuro {
public:
    void Aplicar(HWnd& hWnd, qint16& /*Opcao: 0 is the only kind of cover*/) override {
        QWidget* janela = Plataforma::JanelaDoHandle(hWnd);
        if (!janela) throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
        if (auto* existente = janela->findChild<QWidget*>(NomeDaCobertura, Qt::FindDirectChildrenOnly)) {
            existente->raise();
            return;
        }
        new CoberturaEscura(janela);
    }
    void Remover(HWnd& hWnd) override {
        QWidget* janela = Plataforma::JanelaDoHandle(hWnd);
        if (!janela) return; // the window is gone, and its cover with it
        for (auto* cobertura : janela->findChildren<QWidget*>(NomeDaCobertura, Qt::FindDirectChildrenOnly))
            delete cobertura;
    }
};

class clsObterVersaoDoSO final : public ZELT_N_SO::clsObterVersaoDoSO {
public:
    QString ObterversaoDoSO() override { return NomeDoSistema(); }
};

} // namespace

void RegistrarComponentesDaSuite() {
    Zelt::RegistrarProgId(ProgId::MsgErro, [] { return std::make_unique<clsMensagem>(); });
    Zelt::RegistrarProgId(ProgId::FundoEscuro, [] { return std::make_unique<clsFundoEscuro>(); });
    Zelt::RegistrarProgId(ProgId::VersaoDoSO, [] { return std::make_unique<clsObterVersaoDoSO>(); });
}

QString CaminhoDoLogDeErros() {
    const QString definido = qEnvironmentVariable("ZELT_LOG");
    if (!definido.isEmpty()) return definido;
    return Zelt::PastaDeDados() + QStringLiteral("/erros.log");
}

void RegistrarErro(const QString& nomeDaAplicacao, const QString& numero, const QString& descricao,
                   const QString& local) {
    const QString caminho = CaminhoDoLogDeErros();
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile arquivo(caminho);
    if (arquivo.open(QIODevice::Append | QIODevice::Text))
        arquivo.write((QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) +
                       QStringLiteral(" | ") + nomeDaAplicacao + QStringLiteral(" | ") + numero +
                       QStringLiteral(" | ") + descricao + QStringLiteral(" | ") + local)
                          .toUtf8() +
                      '\n');
}

QString NomeDoSistema() {
    const QString definido = qEnvironmentVariable("ZELT_NOME_DO_SO");
    if (!definido.isEmpty()) return definido;
    return QSysInfo::prettyProductName();
}

} // namespace Suite
