#include "component/modAjuda.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The help window: the guide in a text browser, its links followed inside it (the
// pictures and other pages of the guide) or, when they leave it, in the desktop's browser.
class frmAjuda final : public QWidget {
public:
    explicit frmAjuda(QWidget* lfrmDono) : QWidget(lfrmDono, Qt::Window) {
        setObjectName(u"frmAjuda"_s);
        setWindowTitle(u"Ajuda - Orçamentos"_s);
        setAttribute(Qt::WA_DeleteOnClose);
        resize(900, 700);
        txtGuia = new QTextBrowser(this);
        txtGuia->setObjectName(u"txtGuia"_s);
        txtGuia->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(txtGuia);
        // Escape closes it, as it closes the search dialogs, and the form explained goes on.
        auto* fechar = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
        fechar->setContext(Qt::WidgetWithChildrenShortcut);
    }

    void Exibir(const QString& lstrGuia, const QString& lstrSecao) {
        QUrl lurlGuia = QUrl::fromLocalFile(lstrGuia);
        if (!lstrSecao.isEmpty()) lurlGuia.setFragment(lstrSecao);
        txtGuia->setSource(lurlGuia);
        show();
        raise();
        activateWindow();
        // Again after showing: the same page at the same section is not loaded again,
        // and the person may have scrolled away since.
        if (lstrSecao.isEmpty())
            txtGuia->verticalScrollBar()->setValue(0);
        else
            txtGuia->scrollToAnchor(lstrSecao);
    }

protected:
    // The form it explains takes the keyboard back, even without a window manager to
    // hand it over.
    void closeEvent(QCloseEvent* evento) override {
        QWidget::closeEvent(evento);
        if (parentWidget()) parentWidget()->activateWindow();
    }

private:
    QTextBrowser* txtGuia;
};

// F1 inside a form: the shortcut override is claimed, so that an F1 of the window the
// form is docked in does not take it, and the key press (which the controls let pass)
// opens the guide.
class TeclaDeAjuda final : public QObject {
public:
    TeclaDeAjuda(QWidget* lfrmFormulario, const QString& lstrSecao)
        : QObject(lfrmFormulario), mstrSecao(lstrSecao) {
        lfrmFormulario->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*objeto*/, QEvent* evento) override {
        if (evento->type() != QEvent::ShortcutOverride && evento->type() != QEvent::KeyPress) return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier) return false;
        evento->accept();
        if (evento->type() == QEvent::KeyPress) modAjuda::ExibirAjuda(mstrSecao);
        return true;
    }

private:
    QString mstrSecao;
};

} // namespace

namespace modAjuda {

// Installed, the guide is <prefix>/share/doc/zelt-orcamentos/guia beside <prefix>/bin,
// wherever the tree landed (/usr, ~/.local). In the build tree, build/share/doc/
// zelt-orcamentos links to the sources' docs (cmake/Pacote.cmake), so build/host/zelt_host
// finds the guide in the same place relative to itself, and no path of the machine that
// built the program is kept in it. ZELT_GUIA names another file (the tests' copy, or a
// clinic's own guide).
QString CaminhoDoGuia() {
    const QString lstrOutro = qEnvironmentVariable("ZELT_GUIA");
    if (!lstrOutro.isEmpty()) return lstrOutro;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           u"/../share/doc/zelt-orcamentos/guia/index.html"_s);
}

void ExibirAjuda(const QString& lstrSecao) {
    ComTratamentoDeErro(u"modAjuda", u"ExibirAjuda", [&](qint16& Ponto) {
        Ponto = 1;
        const QString lstrGuia = CaminhoDoGuia();
        if (!QFileInfo(lstrGuia).isFile()) {
            Ponto = 2;
            Plataforma::MsgBox(u"O guia do usuário não foi encontrado. Ele foi procurado em:\n"_s +
                                   QDir::toNativeSeparators(lstrGuia),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return;
        }
        // One window, reused. While a form is shown modally, the window belongs to it:
        // a window of its own would be blocked by the modal form it explains.
        Ponto = 3;
        static QPointer<frmAjuda> lfrmAjuda;
        QWidget* lfrmDono = QApplication::activeModalWidget();
        if (!lfrmAjuda)
            lfrmAjuda = new frmAjuda(lfrmDono);
        else if (lfrmAjuda->parentWidget() != lfrmDono)
            lfrmAjuda->setParent(lfrmDono, lfrmAjuda->windowFlags());
        Ponto = 4;
        lfrmAjuda->Exibir(lstrGuia, lstrSecao);
    });
}

void LigarTeclaDeAjuda(QWidget* lfrmFormulario, const QString& lstrSecao) {
    new TeclaDeAjuda(lfrmFormulario, lstrSecao);
}

} // namespace modAjuda
