#include "list/EnvioDoOrcamento.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/PastaDeDados.h"
#include "platform/Plataforma.h"
#include "platform/reports/DataReport.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace EnvioDoOrcamento {
namespace {

// How long a desktop helper may take to hand the work over before it is left running
// (a mail program some desktops start in the foreground).
constexpr int EsperaDoAjudante = 20000;

// The pasta's folder "Orçamentos", made when missing; empty when it cannot take a file
// (root included: a file is actually made and removed).
QString PastaGravavel(const QString& base) {
    if (base.isEmpty()) return {};
    const QString pasta = QDir(base).filePath(QStringLiteral("Orçamentos"));
    if (!QDir().mkpath(pasta)) return {};
    QTemporaryFile teste(pasta + QStringLiteral("/.zelt-XXXXXX"));
    return teste.open() ? pasta : QString();
}

// The folder the sent PDFs go to: the documents folder's "Orçamentos" or, when that
// cannot be written, the data folder's; aviso then tells the person where.
QString PastaDosOrcamentos(QString& aviso) {
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QString pasta = PastaGravavel(documentos); !pasta.isEmpty()) return pasta;
    const QString dados = Zelt::PastaDeDados();
    const QString pasta = PastaGravavel(dados);
    if (!pasta.isEmpty())
        aviso = QStringLiteral("A pasta de documentos (") + documentos +
                QStringLiteral(") não aceita gravação. O PDF do orçamento foi gravado em \"") + pasta +
                QStringLiteral("\".");
    else
        aviso = QStringLiteral("Não foi possível gravar o PDF do orçamento: nem a pasta de documentos (") +
                documentos + QStringLiteral(") nem a pasta de dados (") + dados +
                QStringLiteral(") aceitam gravação.");
    return pasta;
}

// Runs a desktop helper, which hands the work to the desktop's own program and ends.
// Empty when it did; else why not, for the person.
QString Executar(const QString& caminho, const QStringList& argumentos) {
    const QString nome = QFileInfo(caminho).fileName();
    auto* processo = new QProcess(QCoreApplication::instance());
    processo->setStandardOutputFile(QProcess::nullDevice());
    processo->start(caminho, argumentos);
    if (!processo->waitForStarted()) {
        delete processo;
        return QStringLiteral("o programa ") + nome + QStringLiteral(" não pôde ser iniciado");
    }
    if (!processo->waitForFinished(EsperaDoAjudante)) {
        QObject::connect(processo, &QProcess::finished, processo, &QObject::deleteLater);
        return {};
    }
    const bool ok = processo->exitStatus() == QProcess::NormalExit && processo->exitCode() == 0;
    const int codigo = processo->exitCode();
    delete processo;
    return ok ? QString()
              : QStringLiteral("o programa ") + nome + QStringLiteral(" terminou com o código ") +
                    QString::number(codigo);
}

void Informar(const QString& texto, int icone = Plataforma::vbInformation) {
    Plataforma::MsgBox(texto, icone, modPrincipal::NomeDaAplicacao);
}

// The client's e-mail and cell phone, from the registry; false when the selection
// failed (its error already shown).
bool LerContato(double codigoDoCliente, QString& email, QString& celular) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    clientes->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    double codigo = codigoDoCliente;
    if (VB::CBool(clientes->Selecionar(2, 0, 0, QString(), QString(), codigo, QString(), QString(), QString(),
                                       0, QString()))) {
        ExibirErroDoNegocio(*clientes);
        return false;
    }
    const RecordsetPtr cliente = clientes->ResultadoDaSelecaoEmRecordSet();
    if (cliente->RecordCount() == 0) return true;
    cliente->MoveFirst();
    email = VB::CStr(cliente->Fields(QStringLiteral("Email")).Value).trimmed();
    celular = VB::CStr(cliente->Fields(QStringLiteral("Celular")).Value).trimmed();
    return true;
}

QString NomeDoCanal(Canal canal) {
    return canal == Canal::Email ? ZELT_N_Orcamentos::CanalEmail : ZELT_N_Orcamentos::CanalWhatsApp;
}

} // namespace

QString CelularInternacional(const QString& digitado) {
    static const QRegularExpression permitidos(QStringLiteral("^\\+?[0-9 ().\\-]*$"));
    const QString texto = digitado.trimmed();
    if (texto.isEmpty() || !permitidos.match(texto).hasMatch()) return {};
    QString digitos = texto;
    digitos.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    if (texto.startsWith(u'+')) {
        if (!digitos.startsWith(QLatin1String("55"))) return {}; // another country
        digitos.remove(0, 2);
    } else if (digitos.startsWith(QLatin1String("00"))) {
        if (!digitos.startsWith(QLatin1String("0055"))) return {}; // another country
        digitos.remove(0, 4);
    } else if (digitos.size() == 13 && digitos.startsWith(QLatin1String("55"))) {
        digitos.remove(0, 2);
    } else if (digitos.startsWith(u'0')) {
        digitos.remove(0, 1); // the long-distance prefix: 019 ...
    }
    // Area code (two digits, neither 0) and a mobile's nine digits, beginning with 9.
    static const QRegularExpression celular(QStringLiteral("^[1-9][1-9]9[0-9]{8}$"));
    return celular.match(digitos).hasMatch() ? QStringLiteral("55") + digitos : QString();
}

QString NomeDoArquivo(const Orcamento& orcamento) {
    QString cliente = orcamento.ApelidoOuNomeFantasia.trimmed();
    if (cliente.isEmpty()) cliente = orcamento.NomeOuRazaoSocial.trimmed();
    static const QRegularExpression proibidos(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1F\\x7F]"));
    cliente.replace(proibidos, QStringLiteral("-"));
    QString nome = QStringLiteral("Orçamento ") + VB::CStr(orcamento.Numero);
    if (!cliente.isEmpty()) nome += QStringLiteral(" - ") + cliente;
    return nome + QStringLiteral(".pdf");
}

QString Assunto(const Orcamento& orcamento) {
    return QStringLiteral("Orçamento ") + VB::CStr(orcamento.Numero) + QStringLiteral(" - ") +
           orcamento.NomeFantasiaDaEmpresa;
}

QString ListaDeNomes(const QStringList& nomes) {
    if (nomes.size() <= 1) return nomes.value(0);
    return nomes.mid(0, nomes.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") +
           nomes.constLast();
}

QString Mensagem(const Orcamento& o) {
    QString cliente = o.ApelidoOuNomeFantasia.trimmed();
    if (cliente.isEmpty()) cliente = o.NomeOuRazaoSocial.trimmed();
    QString texto =
        QStringLiteral("Olá, ") + cliente + QStringLiteral("!\n\nSegue o orçamento nº ") + VB::CStr(o.Numero);
    if (!o.Animais.isEmpty()) texto += QStringLiteral(" para ") + ListaDeNomes(o.Animais);
    texto += QStringLiteral(", no valor líquido de R$ ") +
             VB::Format(QVariant::fromValue(o.ValorLiquido), QStringLiteral("#,##0.00"));
    if (!o.DataDeValidade.isEmpty()) texto += QStringLiteral(", válido até ") + o.DataDeValidade;
    texto += QStringLiteral(". O orçamento completo está no PDF que acompanha esta mensagem.\n\n");
    if (!o.TelefoneDaEmpresa.trimmed().isEmpty())
        texto += QStringLiteral("Qualquer dúvida, ligue para ") + o.TelefoneDaEmpresa.trimmed() +
                 QStringLiteral(".\n\n");
    return texto + o.NomeFantasiaDaEmpresa;
}

QString EnderecoDoWhatsApp(const QString& numero, const QString& texto) {
    return QStringLiteral("https://wa.me/") + numero + QStringLiteral("?text=") +
           QString::fromLatin1(QUrl::toPercentEncoding(texto));
}

QStringList AnimaisDosItens(Recordset& itens) {
    QStringList animais;
    if (itens.RecordCount() == 0) return animais;
    for (itens.MoveFirst(); !itens.Eof(); itens.MoveNext()) {
        const QString animal = VB::CStr(itens.Fields(QStringLiteral("NomeDoAnimal")).Value).trimmed();
        if (!animal.isEmpty() && !animais.contains(animal)) animais << animal;
    }
    itens.MoveFirst();
    return animais;
}

QString UltimoEnvio(double numeroDoOrcamento) {
    try {
        auto envios = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
        if (VB::CBool(envios->SelecionarEnvios(numeroDoOrcamento))) return {};
        const RecordsetPtr ultimo = envios->ResultadoDaSelecaoEmRecordSet();
        if (ultimo->RecordCount() == 0) return {};
        ultimo->MoveFirst();
        const QDateTime quando = ultimo->Fields(QStringLiteral("DataEHoraDoEnvio")).Value.toDateTime();
        return QStringLiteral("Enviado por ") + VB::CStr(ultimo->Fields(QStringLiteral("Canal")).Value) +
               QStringLiteral(" em ") + quando.toString(QStringLiteral("dd/MM/yyyy HH:mm")) +
               QStringLiteral(" por ") + VB::CStr(ultimo->Fields(QStringLiteral("UsuarioDoEnvio")).Value);
    } catch (const VB::ErroDeExecucao&) {
        return {}; // a business layer without the sends: the sheet prints without the line
    }
}

void PrepararFicha(DataReport& ficha, const Orcamento& orcamento) {
    const auto comando = [&](const QString& nome, const QString& texto, const QString& icone,
                             const QString& dica, QKeySequence atalho, Canal canal) {
        ficha.AdicionarComandoDaPrevia(
            {nome, texto, icone, dica, atalho, [orcamento, canal, &ficha](VisualizacaoDoRelatorio& previa) {
                 Orcamento comAnimais = orcamento;
                 comAnimais.Animais = AnimaisDosItens(*ficha.DataSource());
                 Enviar(previa, canal, comAnimais);
             }});
    };
    comando(QStringLiteral("cmdEnviarPorEmail"), QStringLiteral("Enviar por e-mail"), QStringLiteral("Email"),
            QStringLiteral("Abrir uma mensagem de e-mail ao cliente com o PDF do orçamento anexado"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), Canal::Email);
    comando(QStringLiteral("cmdEnviarPorWhatsApp"), QStringLiteral("Enviar por WhatsApp"),
            QStringLiteral("Conversa"),
            QStringLiteral("Abrir o WhatsApp do cliente com o resumo do orçamento e a pasta do PDF ao lado"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W), Canal::WhatsApp);
    ficha.setAvisoDaPrevia(UltimoEnvio(orcamento.Numero));
}

void Enviar(VisualizacaoDoRelatorio& previa, Canal canal, const Orcamento& orcamento) {
    ComTratamentoDeErro(u"EnvioDoOrcamento", u"Enviar", [&](qint16& Ponto) {
        Ponto = 1;
        QString email;
        QString celular;
        if (!LerContato(orcamento.CodigoDoCliente, email, celular)) return;
        Ponto = 2;
        QString destino = email;
        if (canal == Canal::WhatsApp) {
            destino = CelularInternacional(celular);
            if (celular.isEmpty()) {
                Informar(QStringLiteral("O cliente não tem celular cadastrado. Cadastre o celular do cliente "
                                        "para enviar o orçamento por WhatsApp."));
                return;
            }
            if (destino.isEmpty()) {
                Informar(
                    QStringLiteral("O celular cadastrado do cliente (") + celular +
                    QStringLiteral(") não é um número de celular do Brasil. Corrija o cadastro do cliente "
                                   "para enviar o orçamento por WhatsApp."));
                return;
            }
        }
        Ponto = 3;
        const QString ajudante =
            canal == Canal::Email ? QStringLiteral("xdg-email") : QStringLiteral("xdg-open");
        const QString programa = QStandardPaths::findExecutable(ajudante);
        const QString oQueAbrir = canal == Canal::Email ? QStringLiteral("o programa de e-mail")
                                                        : QStringLiteral("o navegador ou o WhatsApp");
        if (programa.isEmpty()) {
            Informar(QStringLiteral("Não foi possível abrir ") + oQueAbrir + QStringLiteral(": o programa ") +
                         ajudante +
                         QStringLiteral(" não está instalado (pacote xdg-utils). Nada foi enviado."),
                     Plataforma::vbExclamation);
            return;
        }
        Ponto = 4;
        QString aviso;
        const QString pasta = PastaDosOrcamentos(aviso);
        if (pasta.isEmpty()) {
            Informar(aviso + QStringLiteral(" Nada foi enviado."), Plataforma::vbExclamation);
            return;
        }
        const QString arquivo = QDir(pasta).filePath(NomeDoArquivo(orcamento));
        Ponto = 5;
        if (!previa.GravarPdfComProgresso(arquivo)) return;
        if (!aviso.isEmpty()) Informar(aviso);
        Ponto = 6;
        const QString texto = Mensagem(orcamento);
        QStringList argumentos;
        if (canal == Canal::Email) {
            argumentos = {QStringLiteral("--subject"), Assunto(orcamento),
                          QStringLiteral("--body"),    texto,
                          QStringLiteral("--attach"),  arquivo};
            if (!destino.isEmpty()) argumentos << destino;
        } else {
            argumentos = {EnderecoDoWhatsApp(destino, texto)};
        }
        if (const QString falha = Executar(programa, argumentos); !falha.isEmpty()) {
            Informar(QStringLiteral("Não foi possível abrir ") + oQueAbrir + QStringLiteral(" (") + falha +
                         QStringLiteral("). Nada foi enviado; o PDF do orçamento está em \"") + arquivo +
                         QStringLiteral("\"."),
                     Plataforma::vbExclamation);
            return;
        }
        if (canal == Canal::WhatsApp) {
            if (const QString falha = Executar(programa, {pasta}); !falha.isEmpty())
                Informar(QStringLiteral("Não foi possível abrir a pasta do PDF (") + falha +
                             QStringLiteral("). O PDF do orçamento está em \"") + arquivo +
                             QStringLiteral("\"."),
                         Plataforma::vbExclamation);
        }
        Ponto = 7;
        auto envios = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
        envios->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        const qint16 resultado = envios->RegistrarEnvio(orcamento.Numero, NomeDoCanal(canal), destino);
        if (resultado == 1)
            ExibirErroDoNegocio(*envios);
        else if (resultado != 0)
            Informar(envios->DescricaoDaFalha);
        Ponto = 8;
        previa.MostrarAviso(UltimoEnvio(orcamento.Numero));
    });
}

} // namespace EnvioDoOrcamento
