#pragma once
// The desktop's own programs, reached only through here: the mail program with a
// message ready to send, the browser with an address, the file manager with a folder.
// On Linux, xdg-utils' xdg-email and xdg-open hand the work over to whatever the
// desktop chose; a Windows build would answer the same calls with MAPI or
// ShellExecute, and nothing above this folder would change.
//
// Nothing a client's registry holds is ever read as an option or a URL part: each
// program gets one argument, a URL built here with every value percent-encoded, or an
// absolute path. (Neither helper knows "--", and both take "--help" anywhere among
// their arguments as a request for help, so only the argument's shape protects it.)

#include <QString>

class QUrl;

namespace Plataforma {

enum class ProgramaDaArea { Email, Navegador };

// A message for the mail program: the recipient (one address already checked, or empty
// for none), the subject, the text and one file attached (an absolute path).
struct MensagemDeEmail {
    QString Para;
    QString Assunto;
    QString Texto;
    QString Anexo;
};

// mailto:<para>?subject=...&body=...&attach=<path>: each value percent-encoded as UTF-8,
// the "@" of the address kept, line breaks as CR LF.
QString EnderecoMailto(const MensagemDeEmail& mensagem);

// Why the desktop cannot open that kind of program, for a person ("o programa xdg-email
// não está instalado (pacote xdg-utils)"); empty when it can.
QString ProgramaIndisponivel(ProgramaDaArea programa);

// Each answers empty when the desktop's program started for it, else why not, for a
// person ("o programa xdg-email terminou com o código 3").
QString EnviarEmail(const MensagemDeEmail& mensagem);
QString AbrirNoNavegador(const QUrl& endereco); // http and https only
QString AbrirPasta(const QString& pasta);

} // namespace Plataforma
