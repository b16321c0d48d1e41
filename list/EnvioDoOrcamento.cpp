#include "list/EnvioDoOrcamento.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/PastaDeDados.h"
#include "contracts/Textos.h"
#include "platform/AreaDeTrabalho.h"
#include "platform/Plataforma.h"
#include "platform/reports/DataReport.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTextBoundaryFinder>
#include <QUrl>
#include <optional>

namespace EnvioDoOrcamento {
namespace {

// The longest file name the file systems a PDF is written to take, in bytes (UTF-8).
constexpr qsizetype MaximoDoNome = 255;

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

// The client as the sheet names it: the nickname or trade name, else the name.
QString NomeDoCliente(const Orcamento& orcamento) {
    const QString apelido = orcamento.ApelidoOuNomeFantasia.trimmed();
    return apelido.isEmpty() ? orcamento.NomeOuRazaoSocial.trimmed() : apelido;
}

// The longest beginning of texto that takes at most bytes in UTF-8, cut between two
// characters as a person sees them: never inside a UTF-8 sequence, a surrogate pair or a
// letter with its accent.
QString Cortado(const QString& texto, qsizetype bytes) {
    if (texto.toUtf8().size() <= bytes) return texto;
    QTextBoundaryFinder limites(QTextBoundaryFinder::Grapheme, texto);
    qsizetype corte = 0;
    for (qsizetype p = limites.toNextBoundary(); p > 0; p = limites.toNextBoundary()) {
        if (QStringView(texto).left(p).toUtf8().size() > bytes) break;
        corte = p;
    }
    return texto.left(corte);
}

QString NomeDoCanal(Canal canal) {
    return canal == Canal::Email ? ZELT_N_Orcamentos::CanalEmail : ZELT_N_Orcamentos::CanalWhatsApp;
}

// Where the send goes: the checked e-mail (empty: the message opens without a
// recipient) or the cell phone as an international number; nothing when the
// registry's contact cannot be used, the person already told why.
std::optional<QString> Destino(Canal canal, const Orcamento& orcamento, const QString& email,
                               const QString& celular) {
    if (canal == Canal::Email) {
        if (email.isEmpty() || Textos::EmailValido(email)) return email;
        Informar(QStringLiteral("O e-mail cadastrado do cliente ") + NomeDoCliente(orcamento) +
                 QStringLiteral(" não é um endereço de e-mail válido (um só endereço, como "
                                "nome@dominio.com.br). Corrija o e-mail no cadastro do cliente para enviar "
                                "o orçamento por e-mail."));
        return std::nullopt;
    }
    if (celular.isEmpty()) {
        Informar(QStringLiteral("O cliente não tem celular cadastrado. Cadastre o celular do cliente "
                                "para enviar o orçamento por WhatsApp."));
        return std::nullopt;
    }
    const QString numero = CelularInternacional(celular);
    if (!numero.isEmpty()) return numero;
    Informar(QStringLiteral("O celular cadastrado do cliente (") + celular +
             QStringLiteral(") não é um número de celular do Brasil. Corrija o cadastro do cliente "
                            "para enviar o orçamento por WhatsApp."));
    return std::nullopt;
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
    QString cliente = NomeDoCliente(orcamento);
    // ' and , besides: a mail program may get the attachment's path inside a quoted,
    // comma-separated list (Thunderbird's -compose), where they would end it.
    static const QRegularExpression proibidos(QStringLiteral("[/\\\\:*?\"<>|',\\x00-\\x1F\\x7F]"));
    cliente.replace(proibidos, QStringLiteral("-"));
    QString nome = QStringLiteral("Orçamento ") + VB::CStr(orcamento.Numero);
    if (cliente.isEmpty()) return nome + QStringLiteral(".pdf");
    nome += QStringLiteral(" - ");
    const QString fim = QStringLiteral(".pdf");
    return nome + Cortado(cliente, MaximoDoNome - (nome + fim).toUtf8().size()).trimmed() + fim;
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
    QString texto = QStringLiteral("Olá, ") + NomeDoCliente(o) +
                    QStringLiteral("!\n\nSegue o orçamento nº ") + VB::CStr(o.Numero);
    if (!o.Animais.isEmpty()) texto += QStringLiteral(" para ") + ListaDeNomes(o.Animais);
    texto += QStringLiteral(", no valor líquido de ") + Textos::EmReais(o.ValorLiquido);
    if (!o.DataDeValidade.isEmpty()) texto += QStringLiteral(", válido até ") + o.DataDeValidade;
    texto += QStringLiteral(". O orçamento completo está no PDF que acompanha esta mensagem.\n\n");
    if (!o.LinhaDoSinal.isEmpty()) {
        texto += o.LinhaDoSinal + QStringLiteral(".\n");
        if (!o.CopiaECola.isEmpty())
            texto += QStringLiteral("Pague pelo Pix copia e cola:\n") + o.CopiaECola + u'\n';
        texto += u'\n';
    }
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

std::shared_ptr<Orcamento> PrepararFicha(DataReport& ficha, const Orcamento& orcamento) {
    const auto compartilhado = std::make_shared<Orcamento>(orcamento);
    const auto comando = [&](const QString& nome, const QString& texto, const QString& icone,
                             const QString& dica, QKeySequence atalho, Canal canal) {
        ficha.AdicionarComandoDaPrevia({nome,
                                        texto,
                                        icone,
                                        dica,
                                        atalho,
                                        [compartilhado, canal, &ficha](VisualizacaoDoRelatorio& previa) {
                                            Orcamento comAnimais = *compartilhado;
                                            comAnimais.Animais = AnimaisDosItens(*ficha.DataSource());
                                            Enviar(previa, canal, comAnimais);
                                        },
                                        {}});
    };
    comando(QStringLiteral("cmdEnviarPorEmail"), QStringLiteral("Enviar por e-mail"), QStringLiteral("Email"),
            QStringLiteral("Abrir uma mensagem de e-mail ao cliente com o PDF do orçamento anexado"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), Canal::Email);
    comando(QStringLiteral("cmdEnviarPorWhatsApp"), QStringLiteral("Enviar por WhatsApp"),
            QStringLiteral("Conversa"),
            QStringLiteral("Abrir o WhatsApp do cliente com o resumo do orçamento e a pasta do PDF ao lado"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W), Canal::WhatsApp);
    ficha.setAvisoDaPrevia(UltimoEnvio(orcamento.Numero));
    return compartilhado;
}

void Enviar(VisualizacaoDoRelatorio& previa, Canal canal, const Orcamento& orcamento) {
    ComTratamentoDeErro(u"EnvioDoOrcamento", u"Enviar", [&](qint16& Ponto) {
        Ponto = 1;
        QString email;
        QString celular;
        if (!LerContato(orcamento.CodigoDoCliente, email, celular)) return;
        Ponto = 2;
        const std::optional<QString> contato = Destino(canal, orcamento, email, celular);
        if (!contato) return;
        const QString destino = *contato;
        Ponto = 3;
        const auto programa =
            canal == Canal::Email ? Plataforma::ProgramaDaArea::Email : Plataforma::ProgramaDaArea::Navegador;
        const QString oQueAbrir = canal == Canal::Email ? QStringLiteral("o programa de e-mail")
                                                        : QStringLiteral("o navegador ou o WhatsApp");
        if (const QString falta = Plataforma::ProgramaIndisponivel(programa); !falta.isEmpty()) {
            Informar(QStringLiteral("Não foi possível abrir ") + oQueAbrir + QStringLiteral(": ") + falta +
                         QStringLiteral(". Nada foi enviado."),
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
        const QString falha =
            canal == Canal::Email
                ? Plataforma::EnviarEmail({destino, Assunto(orcamento), texto, arquivo})
                : Plataforma::AbrirNoNavegador(QUrl(EnderecoDoWhatsApp(destino, texto), QUrl::StrictMode));
        if (!falha.isEmpty()) {
            Informar(QStringLiteral("Não foi possível abrir ") + oQueAbrir + QStringLiteral(" (") + falha +
                         QStringLiteral("). Nada foi enviado; o PDF do orçamento está em \"") + arquivo +
                         QStringLiteral("\"."),
                     Plataforma::vbExclamation);
            return;
        }
        if (canal == Canal::WhatsApp) {
            if (const QString falhaDaPasta = Plataforma::AbrirPasta(pasta); !falhaDaPasta.isEmpty())
                Informar(QStringLiteral("Não foi possível abrir a pasta do PDF (") + falhaDaPasta +
                             QStringLiteral("). O PDF do orçamento está em \"") + arquivo +
                             QStringLiteral("\"."),
                         Plataforma::vbExclamation);
        }
        Ponto = 7;
        auto envios = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
        envios->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        const qint16 resultado = envios->RegistrarEnvio(orcamento.Numero, NomeDoCanal(canal), destino);
        if (resultado == Resultado::Erro)
            ExibirErroDoNegocio(*envios);
        else if (resultado != Resultado::Sucesso)
            Informar(envios->DescricaoDaFalha);
        Ponto = 8;
        previa.MostrarAviso(UltimoEnvio(orcamento.Numero));
    });
}

QString Lembrete(const Orcamento& o, const QDate& hoje) {
    const QString primeiroNome = NomeDoCliente(o).section(u' ', 0, 0, QString::SectionSkipEmpty);
    const QString animais =
        o.Animais.isEmpty() ? QString() : QStringLiteral(" para ") + ListaDeNomes(o.Animais);
    const QDate validade = QDate::fromString(o.DataDeValidade, QStringLiteral("dd/MM/yyyy"));
    const bool vencido = validade.isValid() && validade < hoje;
    const QString prazo =
        vencido ? QStringLiteral(
                      "venceu em %1. Se ainda tiver interesse, podemos renová-lo com os preços de hoje.")
                      .arg(o.DataDeValidade)
                : QStringLiteral("vale até %1. Podemos agendar?").arg(o.DataDeValidade);
    return QStringLiteral("Olá %1, o orçamento %2%3 %4 Qualquer dúvida, é só responder esta mensagem.\n\n%5")
        .arg(primeiroNome, VB::CStr(o.Numero), animais, prazo, o.NomeFantasiaDaEmpresa);
}

bool Lembrar(const Orcamento& orcamento, const QDate& hoje) {
    bool enviado = false;
    ComTratamentoDeErro(u"EnvioDoOrcamento", u"Lembrar", [&](qint16& Ponto) {
        Ponto = 1;
        QString email;
        QString celular;
        if (!LerContato(orcamento.CodigoDoCliente, email, celular)) return;
        const std::optional<QString> destino = Destino(Canal::WhatsApp, orcamento, email, celular);
        if (!destino) return;
        Ponto = 2;
        const QString falta = Plataforma::ProgramaIndisponivel(Plataforma::ProgramaDaArea::Navegador);
        const QString falha =
            falta.isEmpty() ? Plataforma::AbrirNoNavegador(QUrl(
                                  EnderecoDoWhatsApp(*destino, Lembrete(orcamento, hoje)), QUrl::StrictMode))
                            : falta;
        if (!falha.isEmpty()) {
            Informar(QStringLiteral("Não foi possível abrir o navegador ou o WhatsApp: %1. Nada foi enviado.")
                         .arg(falha),
                     Plataforma::vbExclamation);
            return;
        }
        Ponto = 3;
        auto envios = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
        envios->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        const qint16 resultado =
            envios->RegistrarEnvio(orcamento.Numero, ZELT_N_Orcamentos::CanalWhatsApp, *destino);
        if (resultado == Resultado::Erro)
            ExibirErroDoNegocio(*envios);
        else if (resultado != Resultado::Sucesso)
            Informar(envios->DescricaoDaFalha);
        enviado = resultado == Resultado::Sucesso;
    });
    return enviado;
}

void EnviarSemPrevia(DataReport& ficha, Canal canal, const Orcamento& orcamento) {
    VisualizacaoDoRelatorio previa(ficha, ficha.PrepararLeitura());
    Orcamento comAnimais = orcamento;
    comAnimais.Animais = AnimaisDosItens(*ficha.DataSource());
    Enviar(previa, canal, comAnimais);
}

} // namespace EnvioDoOrcamento
