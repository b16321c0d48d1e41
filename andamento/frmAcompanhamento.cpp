#include "andamento/frmAcompanhamento.h"

#include "andamento/GraficoDeSemanas.h"
#include "andamento/ListaDeUmOrcamento.h"
#include "andamento/drAcompanhamento.h"
#include "component/JanelasDoOrcamento.h"
#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "list/EnvioDoOrcamento.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"

#include <QKeyEvent>
#include <QLocale>

namespace {

namespace S = ZELT_N_Orcamentos::SecaoDoAcompanhamento;
using JanelasDoOrcamento::Janela;

enum Coluna : int {
    ColunaNumero = 1,
    ColunaCliente,
    ColunaAnimal,
    ColunaValorLiquido,
    ColunaValidade,
    ColunaEtapa,
    ColunaUltimoEnvio,
    ColunaDiasSemResposta,
    ColunaCodigoDoCliente,
};

// Widths that fit two sections side by side in a window of 1366 × 768.
const std::array<modGrade::ColunaDaGrade, 10> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Número", 800, 7, 0, u"NumeroDoOrcamento"},
    {u"Cliente", 1450, 1, 1, u"Cliente"},
    {u"Animal", 1100, 1, 1, u"Animal"},
    {u"Valor líquido", 1200, 7, 0, u"ValorLiquido"},
    {u"Validade", 1150, 4, 0, u"DataDeValidadeDoOrcamento"},
    {u"Etapa", 1150, 1, 1, u"Etapa"},
    {u"Último envio", 1650, 4, 0, u"UltimoEnvio"},
    {u"Dias sem resposta", 900, 7, 0, u"DiasSemResposta"},
    {u"Cliente (código)", 0, 1, 0, u"CodigoDoCliente"},
}};

struct DefinicaoDaSecao {
    qint32 Codigo;
    const char16_t* Nome; // the controls' names end in it
    const char16_t* Titulo;
};
const std::array<DefinicaoDaSecao, frmAcompanhamento::QuantidadeDeSecoes> Secoes{{
    {S::VencemEmAte7Dias, u"Vencem", u"Vencem em até 7 dias"},
    {S::EnviadosSemResposta, u"SemResposta", u"Enviados sem resposta há 3 dias ou mais"},
    {S::VencidosNosUltimos30Dias, u"Vencidos", u"Vencidos nos últimos 30 dias"},
    {S::AprovadosNaoConcluidos, u"Aprovados", u"Aprovados ainda não concluídos"},
}};

// The period list: its first two items by days, then the last twelve months.
constexpr int ItensPorDias = 2;
constexpr int MesesNaLista = 12;

QString Dinheiro(VB::Currency valor) {
    return VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.00"));
}

QString Numero(qint64 n) {
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(n);
}

QString Percentual(const std::optional<double>& taxa) {
    return taxa ? QLocale(QLocale::Portuguese, QLocale::Brazil).toString(*taxa, 'f', 1) + u'%'
                : QStringLiteral("—");
}

} // namespace

frmAcompanhamento::frmAcompanhamento(QWidget* pai)
    : frmAndamento(QStringLiteral("frmAcompanhamento"), QStringLiteral("Acompanhamento de orçamentos"), 20100,
                   10500, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDoAcompanhamento);
    // The sections have grids of their own; the base's one is not used.
    msfgGrade->setVisible(false);

    const auto rotulo = [&](const QString& nome, const QString& texto, int left, int top, int width) {
        auto* lbl = new Label(this, nome);
        lbl->setCaption(texto);
        lbl->setFont(Aparencia::Fonte(10));
        lbl->Move(left, top, width, 330);
        return lbl;
    };
    lblPeriodo =
        rotulo(QStringLiteral("lblPeriodo"), QStringLiteral("Período"), Margem, TopoDosComandos + 80, 800);
    cboPeriodo = new XRComboBox(this, QStringLiteral("cboPeriodo"));
    cboPeriodo->Move(Margem + 800, TopoDosComandos, 2800, 450);
    lblUsuario =
        rotulo(QStringLiteral("lblUsuario"), QStringLiteral("Usuário"), 4300, TopoDosComandos + 80, 800);
    cboUsuario = new XRComboBox(this, QStringLiteral("cboUsuario"));
    cboUsuario->Move(5100, TopoDosComandos, 2800, 450);

    int topo = 1800;
    for (Label** lbl : {&lblFeitos, &lblEnviados, &lblAprovados, &lblRecusados, &lblVencidos,
                        &lblTaxaDeAprovacao, &lblMediana}) {
        static const char* const nomes[] = {"lblFeitos",    "lblEnviados", "lblAprovados",
                                            "lblRecusados", "lblVencidos", "lblTaxaDeAprovacao",
                                            "lblMediana"};
        *lbl = rotulo(QString::fromLatin1(nomes[(topo - 1800) / 330]), QString(), Margem, topo, 10500);
        topo += 330;
    }
    picGrafico = new GraficoDeSemanas(this, QStringLiteral("picGrafico"));

    for (int i = 0; i < QuantidadeDeSecoes; ++i) {
        const QString nome = QString::fromUtf16(Secoes[i].Nome);
        lblSecao[i] = new Label(this, QStringLiteral("lblSecao") + nome);
        lblSecao[i]->setFont(Aparencia::Fonte(11));
        lblSecao[i]->setCaption(QString::fromUtf16(Secoes[i].Titulo));
        msfgSecao[i] = new MSFlexGrid(this, QStringLiteral("msfgSecao") + nome);
        msfgSecao[i]->installEventFilter(this);
        connect(msfgSecao[i], &MSFlexGrid::Click, this, [this, i] { msfgSecao_Click(i); });
        connect(msfgSecao[i], &MSFlexGrid::SelChange, this, [this, i] { msfgSecao_Click(i); });
        connect(msfgSecao[i], &MSFlexGrid::DblClick, this, [this, i] { msfgSecao_DblClick(i); });
    }

    const auto comando = [&](const QString& nome, const QString& texto, const QString& icone,
                             const QString& dica, int largura) {
        auto* cmd = new XRCommandButton(this, nome);
        cmd->setCaption(texto);
        cmd->setIcone(icone);
        cmd->setToolTipType(0);
        cmd->setToolTipText(dica);
        cmd->Move(0, 0, largura, 450);
        return cmd;
    };
    xrcmdLembrar = comando(
        QStringLiteral("xrcmdLembrar"), QStringLiteral("    Lembrar por WhatsApp"),
        QStringLiteral("Conversa"),
        QStringLiteral("Manda ao cliente, pelo WhatsApp, um lembrete do orçamento e da validade."), 2900);
    xrcmdRenovar = comando(QStringLiteral("xrcmdRenovar"), QStringLiteral("    Renovar validade…"),
                           QStringLiteral("Alterar"),
                           QStringLiteral("Dá ao orçamento uma nova validade, com os preços de hoje."), 2600);
    xrcmdAprovacao = comando(QStringLiteral("xrcmdAprovacao"), QStringLiteral("    Registrar aprovação…"),
                             QStringLiteral("Alterar"),
                             QStringLiteral("Registra que o cliente aprovou o orçamento."), 2800);
    xrcmdRecusa = comando(QStringLiteral("xrcmdRecusa"), QStringLiteral("    Registrar recusa…"),
                          QStringLiteral("Excluir"),
                          QStringLiteral("Registra que o cliente recusou o orçamento, e o motivo."), 2600);
    xrcmdAbrir = comando(QStringLiteral("xrcmdAbrir"), QStringLiteral("    Abrir"), QStringLiteral("Alterar"),
                         QStringLiteral("Abre o orçamento na ficha (Enter)."), 1500);
    xrcmdImprimir =
        comando(QStringLiteral("xrcmdImprimir"), QStringLiteral("    Imprimir"), QStringLiteral("Imprimir"),
                QStringLiteral("Mostra o acompanhamento para imprimir ou exportar para PDF."), 1800);

    connect(cboPeriodo, &XRComboBox::Click, this, &frmAcompanhamento::cboPeriodo_Click);
    connect(cboUsuario, &XRComboBox::Click, this, &frmAcompanhamento::cboUsuario_Click);
    connect(xrcmdLembrar, &XRCommandButton::Click, this, &frmAcompanhamento::xrcmdLembrar_Click);
    connect(xrcmdRenovar, &XRCommandButton::Click, this, &frmAcompanhamento::xrcmdRenovar_Click);
    connect(xrcmdAprovacao, &XRCommandButton::Click, this, &frmAcompanhamento::xrcmdAprovacao_Click);
    connect(xrcmdRecusa, &XRCommandButton::Click, this, &frmAcompanhamento::xrcmdRecusa_Click);
    connect(xrcmdAbrir, &XRCommandButton::Click, this, &frmAcompanhamento::xrcmdAbrir_Click);
    connect(xrcmdImprimir, &XRCommandButton::Click, this, &frmAcompanhamento::xrcmdImprimir_Click);
}

frmAcompanhamento::~frmAcompanhamento() = default;

void frmAcompanhamento::MontarExibirFormulario() {
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        for (MSFlexGrid* grade : msfgSecao) {
            modGrade::AplicarAparencia(grade, 0xF5F5F6, 3);
            // Four grids side by side: the list's look a size smaller, so that a row's
            // eight columns fit half the window.
            grade->setFont(Aparencia::Fonte(9));
            modGrade::DefinirColunas(grade, Colunas, 0xFFFFFF);
            grade->setSelectionMode(1);
            grade->setHighLight(1);
            grade->setRedraw(true);
            grade->setVisible(true);
        }
        // The windows of a quote's life not installed are not offered. The approval is the
        // one with the items' marks and the signature when it is installed: it records all
        // the plain one does and more, and a receptionist with the client on the phone or
        // at the counter needs one command, not two to choose from. The command keeps its
        // name and place and says which window it opens; the plain approval stays in the
        // list's row menu.
        const bool comAssinatura = JanelasDoOrcamento::Registrada(Janela::AprovarOrcamento);
        mintJanelaDaAprovacao =
            static_cast<int>(comAssinatura ? Janela::AprovarOrcamento : Janela::RegistrarAprovacao);
        if (comAssinatura) xrcmdAprovacao->setCaption(QStringLiteral("    Aprovar orçamento…"));
        xrcmdRenovar->setVisible(JanelasDoOrcamento::Registrada(Janela::RenovarValidade));
        xrcmdAprovacao->setVisible(
            JanelasDoOrcamento::Registrada(static_cast<Janela>(mintJanelaDaAprovacao)));
        xrcmdRecusa->setVisible(JanelasDoOrcamento::Registrada(Janela::RegistrarRecusa));
        Ponto = 2;
        // The selectors first, while there is no business object: their clicks read nothing.
        cboPeriodo->AddItem(QStringLiteral("Últimos 30 dias"));
        cboPeriodo->setItemData(0, 30);
        cboPeriodo->AddItem(QStringLiteral("Últimos 90 dias"));
        cboPeriodo->setItemData(1, 90);
        cboPeriodo->setListIndex(0);
        cboUsuario->AddItem(QStringLiteral("Todos os usuários"));
        cboUsuario->setListIndex(0);
        mobjAcompanhamento = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsAcompanhamento>(ProgId::Acompanhamento);
        Ponto = 3;
        const auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        if (!VB::CBool(lobjEmpresa->SelecionarNova(2, 0, 1, QString()))) {
            const RecordsetPtr lrstEmpresa = lobjEmpresa->ResultadoDaSelecaoEmRecordSet();
            if (lrstEmpresa->RecordCount() > 0) {
                lrstEmpresa->MoveFirst();
                mstrNomeFantasia = VB::CStr(lrstEmpresa->Fields(QStringLiteral("NomeFantasia")).Value);
            }
        }
        Ponto = 4;
        Atualizar();
        Ponto = 5;
        // The months after the first reading: the business layer's today names them.
        const QDate hoje = mobjAcompanhamento->Numeros.Hoje;
        if (hoje.isValid())
            for (int m = 0; m < MesesNaLista; ++m) {
                const QDate mes = QDate(hoje.year(), hoje.month(), 1).addMonths(-m);
                QString nome = QLocale(QLocale::Portuguese, QLocale::Brazil).standaloneMonthName(mes.month());
                nome[0] = nome[0].toUpper();
                cboPeriodo->AddItem(QStringLiteral("%1 de %2").arg(nome, QString::number(mes.year())));
            }
        Ponto = 6;
        msfgSecao[0]->setFocus();
    });
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 7;
        Plataforma::ExibirModal(this);
    });
}

void frmAcompanhamento::Atualizar() {
    for (int i = 0; i < QuantidadeDeSecoes; ++i)
        PreencherSecao(i);
    CalcularNumeros();
    HabilitarComandos();
}

void frmAcompanhamento::PreencherSecao(int lintSecao) {
    ComTratamentoDeErro(mstrNome, u"PreencherSecao", [&](qint16& Ponto) {
        Ponto = 1;
        MSFlexGrid* grade = msfgSecao[lintSecao];
        const int llonLinhaAnterior = grade->Rows() > 1 ? grade->Row() : 1;
        auto& acompanhamento = *mobjAcompanhamento;
        if (VB::CBool(acompanhamento.SelecionarSecao(Secoes[lintSecao].Codigo))) {
            ExibirErroDoNegocio(acompanhamento);
            return;
        }
        Ponto = 2;
        const RecordsetPtr rs = acompanhamento.ResultadoDaSelecaoEmRecordSet();
        mrstSecao[lintSecao] = rs;
        const qint32 total = acompanhamento.TotalDaSecao;
        QString legenda =
            QStringLiteral("%1 (%2)").arg(QString::fromUtf16(Secoes[lintSecao].Titulo), Numero(total));
        if (total > rs->RecordCount())
            legenda = QStringLiteral("%1 (%2; os %3 mais urgentes abaixo)")
                          .arg(QString::fromUtf16(Secoes[lintSecao].Titulo), Numero(total),
                               Numero(rs->RecordCount()));
        lblSecao[lintSecao]->setCaption(legenda);
        Ponto = 3;
        grade->setRedraw(false);
        grade->setRows(rs->RecordCount() + 1);
        if (grade->Rows() >= 2) grade->setFixedRows(1);
        grade->setRowHeight(0, 500);
        int r = 1;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext(), ++r) {
            grade->setRowHeight(r, 400);
            modGrade::EstilizarLinha(grade, r);
            for (int c = ColunaNumero; c <= ColunaCodigoDoCliente; ++c) {
                const QVariant valor = rs->Fields(QString::fromUtf16(Colunas[c].Campo)).Value;
                QString texto;
                if (c == ColunaValorLiquido)
                    texto = DinheiroDoCampo(*rs, Colunas[c].Campo);
                else if (c == ColunaUltimoEnvio)
                    texto = VB::IsNull(valor)
                                ? QString()
                                : valor.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
                else
                    texto = TextoDoCampo(*rs, Colunas[c].Campo);
                grade->setTextMatrix(r, c, texto);
            }
        }
        grade->setRedraw(true);
        Ponto = 4;
        if (grade->Rows() > 1) {
            grade->setCol(0);
            grade->setRow(std::min(llonLinhaAnterior, grade->Rows() - 1));
            grade->setColSel(grade->Cols() - 1);
        }
    });
}

void frmAcompanhamento::CalcularNumeros() {
    ComTratamentoDeErro(mstrNome, u"CalcularNumeros", [&](qint16& Ponto) {
        Ponto = 1;
        const int indice = std::max(cboPeriodo->ListIndex(), 0);
        const qint32 dias = indice < ItensPorDias ? cboPeriodo->ItemData(indice) : 0;
        const QDate hoje = mobjAcompanhamento->Numeros.Hoje.isValid() ? mobjAcompanhamento->Numeros.Hoje
                                                                      : QDate::currentDate();
        const QDate mes = QDate(hoje.year(), hoje.month(), 1).addMonths(-(indice - ItensPorDias));
        const QString usuario = cboUsuario->ListIndex() > 0 ? cboUsuario->Text() : QString();
        auto& acompanhamento = *mobjAcompanhamento;
        const qint16 resultado = acompanhamento.CalcularNumeros(dias, dias > 0 ? QDate() : mes, usuario);
        if (resultado == Resultado::Erro) {
            ExibirErroDoNegocio(acompanhamento);
            return;
        }
        if (resultado != Resultado::Sucesso) {
            Plataforma::MsgBox(acompanhamento.DescricaoDaFalha, Plataforma::vbInformation,
                               modPrincipal::NomeDaAplicacao);
            return;
        }
        Ponto = 2;
        const ZELT_N_Orcamentos::NumerosDoAcompanhamento& n = acompanhamento.Numeros;
        lblFeitos->setCaption(QStringLiteral("Orçamentos feitos: %1 (%2 a %3), valor oferecido %4")
                                  .arg(Numero(n.Feitos), n.Inicio.toString(QStringLiteral("dd/MM/yyyy")),
                                       n.Fim.toString(QStringLiteral("dd/MM/yyyy")),
                                       Dinheiro(n.ValorOferecido)));
        lblEnviados->setCaption(QStringLiteral("Enviados: %1").arg(Numero(n.Enviados)));
        lblAprovados->setCaption(
            QStringLiteral("Aprovados: %1, valor %2").arg(Numero(n.Aprovados), Dinheiro(n.ValorAprovado)));
        QStringList motivos;
        for (qsizetype m = 0; m < n.RecusadosPorMotivo.size(); ++m)
            if (n.RecusadosPorMotivo.at(m) > 0)
                motivos << QStringLiteral("%1: %2").arg(ZELT_N_Orcamentos::MotivosDaRecusa.at(m),
                                                        Numero(n.RecusadosPorMotivo.at(m)));
        lblRecusados->setCaption(motivos.isEmpty()
                                     ? QStringLiteral("Recusados: %1").arg(Numero(n.Recusados))
                                     : QStringLiteral("Recusados: %1 (%2)")
                                           .arg(Numero(n.Recusados), motivos.join(QStringLiteral(", "))));
        lblVencidos->setCaption(QStringLiteral("Vencidos: %1").arg(Numero(n.Vencidos)));
        lblTaxaDeAprovacao->setCaption(QStringLiteral("Taxa de aprovação: %1 dos orçamentos, %2 do valor")
                                           .arg(Percentual(n.TaxaPorQuantidade), Percentual(n.TaxaPorValor)));
        lblMediana->setCaption(
            n.MedianaDeDiasAteAResposta
                ? QStringLiteral("Mediana de dias até a resposta: %1")
                      .arg(QLocale(QLocale::Portuguese, QLocale::Brazil)
                               .toString(*n.MedianaDeDiasAteAResposta, 'f', 1))
                : QStringLiteral("Mediana de dias até a resposta: sem respostas no período"));
        picGrafico->DefinirSemanas(n.Semanas);
        Ponto = 3;
        // The users who made quotes lately; the chosen one stays chosen.
        const QString escolhido = cboUsuario->ListIndex() > 0 ? cboUsuario->Text() : QString();
        mbooPreenchendoUsuarios = true;
        while (cboUsuario->ListCount() > 1)
            cboUsuario->RemoveItem(1);
        for (const QString& quem : n.Usuarios)
            cboUsuario->AddItem(quem);
        if (!escolhido.isEmpty() && !n.Usuarios.contains(escolhido)) cboUsuario->AddItem(escolhido);
        for (int i = 0; i < cboUsuario->ListCount(); ++i)
            if (cboUsuario->List(i) == escolhido) cboUsuario->setListIndex(i);
        if (escolhido.isEmpty()) cboUsuario->setListIndex(0);
        mbooPreenchendoUsuarios = false;
    });
}

void frmAcompanhamento::cboPeriodo_Click() {
    ComTratamentoDeErro(mstrNome, u"cboPeriodo_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (mobjAcompanhamento) CalcularNumeros();
    });
}

void frmAcompanhamento::cboUsuario_Click() {
    ComTratamentoDeErro(mstrNome, u"cboUsuario_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (!mbooPreenchendoUsuarios && mobjAcompanhamento) CalcularNumeros();
    });
}

void frmAcompanhamento::msfgSecao_Click(int lintSecao) {
    ComTratamentoDeErro(mstrNome, u"msfgSecao_Click", [&](qint16& Ponto) {
        Ponto = 1;
        mintSecao = lintSecao;
        HabilitarComandos();
    });
}

void frmAcompanhamento::msfgSecao_DblClick(int lintSecao) {
    mintSecao = lintSecao;
    xrcmdAbrir_Click();
}

bool frmAcompanhamento::eventFilter(QObject* objeto, QEvent* evento) {
    for (int i = 0; i < QuantidadeDeSecoes; ++i) {
        if (objeto != msfgSecao[i]) continue;
        if (evento->type() == QEvent::FocusIn) msfgSecao_Click(i);
        if (evento->type() == QEvent::KeyPress) {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                msfgSecao_DblClick(i);
                return true;
            }
        }
    }
    return frmAndamento::eventFilter(objeto, evento);
}

double frmAcompanhamento::NumeroSelecionado() const {
    return CelulaSelecionada(ColunaNumero).toDouble();
}

QString frmAcompanhamento::CelulaSelecionada(int lintColuna) const {
    const MSFlexGrid* grade = msfgSecao[mintSecao];
    const int linha = grade->Row();
    if (grade->Rows() < 2 || linha < 1 || linha >= grade->Rows()) return {};
    return grade->TextMatrix(linha, lintColuna).trimmed();
}

void frmAcompanhamento::HabilitarComandos() {
    const bool linha = NumeroSelecionado() > 0;
    for (XRCommandButton* cmd : {xrcmdLembrar, xrcmdRenovar, xrcmdAprovacao, xrcmdRecusa, xrcmdAbrir})
        cmd->setEnabled(linha);
    // A reminder and an approval are for a quote still waiting for its client.
    const QString etapa = CelulaSelecionada(ColunaEtapa);
    const bool aguardando = etapa == ZELT_N_Orcamentos::Etapa::EmAberto ||
                            etapa == ZELT_N_Orcamentos::Etapa::Enviado ||
                            etapa == ZELT_N_Orcamentos::Etapa::Vencido;
    xrcmdLembrar->setEnabled(linha && aguardando);
    xrcmdAprovacao->setEnabled(linha && aguardando);
}

void frmAcompanhamento::AbrirJanelaDaLinha(int lintJanela, const char16_t* lstrProcedimento) {
    ComTratamentoDeErro(mstrNome, lstrProcedimento, [&](qint16& Ponto) {
        Ponto = 1;
        const double numero = NumeroSelecionado();
        if (numero <= 0) return;
        Ponto = 2;
        if (JanelasDoOrcamento::Abrir(static_cast<Janela>(lintJanela), this, numero)) Atualizar();
    });
}

void frmAcompanhamento::xrcmdRenovar_Click() {
    AbrirJanelaDaLinha(static_cast<int>(Janela::RenovarValidade), u"xrcmdRenovar_Click");
}

void frmAcompanhamento::xrcmdAprovacao_Click() {
    AbrirJanelaDaLinha(mintJanelaDaAprovacao, u"xrcmdAprovacao_Click");
}

void frmAcompanhamento::xrcmdRecusa_Click() {
    AbrirJanelaDaLinha(static_cast<int>(Janela::RegistrarRecusa), u"xrcmdRecusa_Click");
}

void frmAcompanhamento::xrcmdAbrir_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdAbrir_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const MSFlexGrid* grade = msfgSecao[mintSecao];
        const RecordsetPtr rs = mrstSecao[mintSecao];
        const int linha = grade->Row();
        if (!rs || linha < 1 || linha > rs->RecordCount() || NumeroSelecionado() <= 0) return;
        Ponto = 2;
        rs->MoverPara(linha - 1);
        if (ListaDeUmOrcamento::Alterar(*rs)) Atualizar();
    });
}

void frmAcompanhamento::xrcmdLembrar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdLembrar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const double numero = NumeroSelecionado();
        if (numero <= 0 || !xrcmdLembrar->isEnabled()) return;
        EnvioDoOrcamento::Orcamento o;
        o.Numero = numero;
        o.CodigoDoCliente = CelulaSelecionada(ColunaCodigoDoCliente).toDouble();
        o.NomeOuRazaoSocial = CelulaSelecionada(ColunaCliente);
        const QString animal = CelulaSelecionada(ColunaAnimal);
        if (!animal.isEmpty()) o.Animais << animal;
        o.ValorLiquido = VB::CCur(CelulaSelecionada(ColunaValorLiquido));
        o.DataDeValidade = CelulaSelecionada(ColunaValidade);
        o.NomeFantasiaDaEmpresa = mstrNomeFantasia;
        Ponto = 2;
        if (EnvioDoOrcamento::Lembrar(o, mobjAcompanhamento->Numeros.Hoje)) Atualizar();
    });
}

void frmAcompanhamento::xrcmdImprimir_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdImprimir_Click", [&](qint16& Ponto) {
        Ponto = 1;
        Imprimir();
    });
}

void frmAcompanhamento::Imprimir() {
    drAcompanhamento ldrAcompanhamento;
    std::array<QString, QuantidadeDeSecoes> legendas;
    std::array<const MSFlexGrid*, QuantidadeDeSecoes> grades;
    for (int i = 0; i < QuantidadeDeSecoes; ++i) {
        legendas[i] = lblSecao[i]->Caption();
        grades[i] = msfgSecao[i];
    }
    ldrAcompanhamento.Preencher(mstrNomeFantasia, modPrincipal::NomeDaAplicacao,
                                {lblFeitos->Caption(), lblEnviados->Caption(), lblAprovados->Caption(),
                                 lblRecusados->Caption(), lblVencidos->Caption(),
                                 lblTaxaDeAprovacao->Caption(), lblMediana->Caption()},
                                picGrafico->Imagem(QSize(900, 300)), legendas, grades);
    ldrAcompanhamento.setWindowState(DataReport::vbMaximized);
    ldrAcompanhamento.Show();
}

void frmAcompanhamento::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 5;
        msfgGrade->setVisible(false);
        const int ScaleWidth = Twips::DePixels(width());
        const int topoDosComandos = xrcmdFechar->Top();
        xrcmdImprimir->Move(xrcmdFechar->Left() - 100 - xrcmdImprimir->Width(), topoDosComandos);
        int esquerda = Margem;
        for (XRCommandButton* cmd : {xrcmdLembrar, xrcmdRenovar, xrcmdAprovacao, xrcmdRecusa, xrcmdAbrir}) {
            cmd->Move(esquerda, topoDosComandos);
            if (cmd->isVisibleTo(this)) esquerda += cmd->Width() + 100;
        }
        Ponto = 6;
        picGrafico->setGeometry(Twips::ParaPixels(11200), Twips::ParaPixels(1750),
                                Twips::ParaPixels(ScaleWidth - 11200 - Margem), Twips::ParaPixels(2450));
        Ponto = 7;
        // The sections two by two below the figures.
        constexpr int topoDasSecoes = 4400;
        const int largura = (ScaleWidth - 2 * Margem - 200) / 2;
        const int altura = std::max((topoDosComandos - 150 - topoDasSecoes) / 2, 1200);
        for (int i = 0; i < QuantidadeDeSecoes; ++i) {
            const int left = Margem + (i % 2) * (largura + 200);
            const int top = topoDasSecoes + (i / 2) * altura;
            lblSecao[i]->Move(left, top, largura, 330);
            msfgSecao[i]->Move(left, top + 350, largura, altura - 450);
        }
    });
}
