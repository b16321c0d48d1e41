#pragma once
// Sending a quote to its client from the quote sheet's preview: two commands on the
// preview's toolbar ("Enviar por e-mail", "Enviar por WhatsApp") that write the sheet's
// PDF as "Exportar para PDF" does, into the documents folder's "Orçamentos", then open
// the desktop's mail program with the PDF attached, or WhatsApp through https://wa.me/
// in the browser with the folder holding the PDF beside it (both through the
// platform's AreaDeTrabalho). Each send is recorded with the quote
// (clsEnviosDeOrcamentos), only once the desktop's program started for it, and the
// preview shows the last one under its toolbar. The quote itself is never changed.
//
// The client's e-mail is checked again here (Textos::EmailValido), whatever path it
// came into the registry by. Failures are messages in Portuguese that lose nothing: a
// client without a usable address or number, a missing desktop program and a PDF that
// cannot be written stop before anything is written or opened; a documents folder that
// cannot be written is replaced by the data folder, and the person is told where the
// PDF is.

#include "contracts/VB.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>

class DataReport;
class Recordset;
class VisualizacaoDoRelatorio;

namespace EnvioDoOrcamento {

// What a send says, taken from the printed sheet.
struct Orcamento {
    double Numero = 0;
    double CodigoDoCliente = 0;
    QString ApelidoOuNomeFantasia;
    QString NomeOuRazaoSocial;
    QStringList Animais; // the items' animals, each once, in item order
    VB::Currency ValorLiquido;
    QString DataDeValidade; // "DD/MM/YYYY"
    QString NomeFantasiaDaEmpresa;
    QString TelefoneDaEmpresa;
    // An approved quote's deposit (RodapeDaFicha): its line and its PIX "copia e cola";
    // empty when none is asked.
    QString LinhaDoSinal;
    QString CopiaECola;
};

enum class Canal { Email, WhatsApp };

// A cell phone as typed in the registry ("(19) 99876-5432", "019 99876 5432",
// "+55 19 99876-5432", "19998765432") as an international number of a Brazilian
// mobile ("5519998765432"); empty when it cannot be one (a landline, too few digits,
// letters, another country's prefix, nothing typed).
QString CelularInternacional(const QString& digitado);

// "Orçamento 12 - Rex da Silva.pdf": the characters a file name cannot hold on the
// desktops a PDF travels to (/ \ : * ? " < > | and control characters), and ' and ,
// become "-"; a long name is cut between two characters, before ".pdf", so that the
// whole name takes at most 255 bytes (UTF-8).
QString NomeDoArquivo(const Orcamento& orcamento);
// "Orçamento 12 - <company's trade name>"
QString Assunto(const Orcamento& orcamento);
// The short text of the e-mail and of the WhatsApp message.
QString Mensagem(const Orcamento& orcamento);
// https://wa.me/<number>?text=<the text, percent-encoded as UTF-8>
QString EnderecoDoWhatsApp(const QString& numero, const QString& texto);
// "Rex", "Rex e Mel", "Rex, Mel e Tom"
QString ListaDeNomes(const QStringList& nomes);
// The animals of a sheet's items (field NomeDoAnimal), each once, in item order.
QStringList AnimaisDosItens(Recordset& itens);

// "Enviado por WhatsApp em 05/12/2026 14:03 por ANA" for the quote's last send; empty
// when it has none or the sends cannot be read (printing goes on without the line).
QString UltimoEnvio(double numeroDoOrcamento);

// Adds the two send commands to a quote sheet and the line of its last send; the
// animals are read from the sheet's data source when a command is used. The answer is
// what the commands send, shared with them: a change made to it from the same preview
// (the deposit after an approval) goes with the next send.
std::shared_ptr<Orcamento> PrepararFicha(DataReport& ficha, const Orcamento& orcamento);

// The whole send from the preview (the command's action).
void Enviar(VisualizacaoDoRelatorio& previa, Canal canal, const Orcamento& orcamento);

// The reminder of a quote still waiting for an answer: "Olá João, o orçamento 421 para
// o Rex vale até 18/12/2026. …" (the first name of the client as the sheet names it; a
// quote whose validity ended "venceu em", and offers to renew it), signed by the company.
QString Lembrete(const Orcamento& orcamento, const QDate& hoje);

// The reminder by WhatsApp (the follow-up window's "Lembrar por WhatsApp"): the text
// above opened in WhatsApp for the client's cell phone and recorded as a send of the
// quote, as the sheet's "Enviar por WhatsApp" does, with the same checks and messages.
// No PDF goes with it: the client had the sheet with the first send. True when sent.
bool Lembrar(const Orcamento& orcamento, const QDate& hoje);
// The same send without a preview on screen (the list's context menu): the sheet, bound
// to its items, is written through a preview that is never shown.
void EnviarSemPrevia(DataReport& ficha, Canal canal, const Orcamento& orcamento);

} // namespace EnvioDoOrcamento
