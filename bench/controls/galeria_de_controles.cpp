// galeria_de_controles: every control of the library on one form, as the list and the
// record form use them (the list's command row and hovered grid, the record form's
// fields, buttons, waiting panel and icons), written to a PNG for looking at.
//
//   galeria_de_controles [ARQUIVO.png]   (default galeria_controles.png; offscreen
//                                         platform unless QT_QPA_PLATFORM says otherwise)

#include "platform/controls/Aparencia.h"
#include "platform/controls/Icones.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Shape.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"
#include "platform/controls/XRNumberBox.h"
#include "platform/controls/XRTheme.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// Places a control by twips, as the forms do.
template <typename C> C* Criar(QWidget* pai, const QString& nome, int left, int top, int width, int height) {
    auto* controle = new C(pai, nome);
    controle->Move(left, top, width, height);
    return controle;
}

Label* Rotulo(QWidget* pai, const QString& nome, const QString& texto, int left, int top, int width = 2400) {
    auto* rotulo = Criar<Label>(pai, nome, left, top, width, 255);
    rotulo->setCaption(texto);
    return rotulo;
}

// The list grid's look and a page of quotes, filled cell by cell as the list fills it.
void PreencherGradeDaLista(MSFlexGrid* g) {
    g->setRedraw(false);
    g->setAppearance(0);
    g->setBorderStyle(0);
    g->setFixedCols(0);
    g->setFont(Aparencia::Fonte(11));
    g->setBackColorFixed(0xF5F5F6);
    g->setBackColorSel(0xD9D9D9);
    g->setForeColorSel(static_cast<int>(0x80000012u));
    g->setBackColorBkg(0xFFFFFF);
    g->setBackColor(0xFFFFFF);
    g->setForeColor(0);
    g->setGridColor(0xEFEFEF);
    g->setGridColorFixed(0xEFEFEF);
    g->setGridLines(0);
    g->setGridLinesFixed(0);
    g->setWordWrap(true);
    g->setFocusRect(0);
    g->setScrollBars(0);
    g->setRows(1);
    g->setCols(6);
    const QStringList titulos = {u"Coluna em branco"_s,
                                 u"Número do Orçamento"_s,
                                 u"Apelido ou nome fantasia do cliente"_s,
                                 u"Nome ou razão social do cliente"_s,
                                 u"Data do Orçamento"_s,
                                 u"Situação"_s};
    const int larguras[] = {0, 1570, 3000, 4000, 1500, 1400};
    const int alinhamentos[] = {1, 4, 1, 1, 4, 4};
    for (int c = 0; c < 6; ++c) {
        g->setTextMatrix(0, c, titulos[c]);
        g->setColWidth(c, larguras[c]);
        g->setColAlignment(c, alinhamentos[c]);
        g->setRow(0);
        g->setCol(c);
        g->setCellFontBold(true);
        g->setCellForeColor(c == 1 ? 0x808080 : 0);
        g->setBackColorFixed(0xFFFFFF);
    }
    const QStringList clientes[] = {{u"Totó"_s, u"João da Silva"_s},
                                    {u"Pet Feliz"_s, u"Pet Feliz Comércio de Rações Ltda."_s},
                                    {u"Mimi"_s, u"Maria Aparecida Souza"_s},
                                    {u"Rex"_s, u"Carlos Eduardo Lima"_s},
                                    {u"Bidu"_s, u"Ana Paula Ferreira"_s}};
    g->setRows(6);
    g->setFixedRows(1);
    g->setRowHeight(0, 700);
    const QPixmap ativo = Icones::Icone(u"EtiquetaAtivo"_s, 22);
    const QPixmap inativo = Icones::Icone(u"EtiquetaInativo"_s, 22);
    for (int r = 1; r < 6; ++r) {
        g->setRowHeight(r, 570);
        for (int c = 0; c < 6; ++c) {
            g->setRow(r);
            g->setCol(c);
            g->setCellBackColor(r % 2 == 1 ? 0xF2F2F2 : 0xFFFFFF);
            g->setCellForeColor(c == 1 ? 0x808080 : 0);
        }
        g->setTextMatrix(r, 1, QString::number(1230 + r));
        g->setTextMatrix(r, 2, clientes[r - 1][0]);
        g->setTextMatrix(r, 3, clientes[r - 1][1]);
        g->setTextMatrix(r, 4, u"0%1/12/2026"_s.arg(r));
        g->setCol(5);
        g->setCellPicture(r == 4 ? inativo : ativo);
        g->setCellPictureAlignment(4);
    }
    g->setRedraw(true);
}

// Builds the gallery form, shows it with the focus in the quantity box and writes its
// picture; answers false when it could not be shown.
bool Fotografar(const QString& arquivo) {
    QWidget form;
    form.setObjectName(u"frmGaleria"_s);
    form.setAutoFillBackground(true);
    QPalette paleta = form.palette();
    paleta.setColor(QPalette::Window, Qt::white);
    form.setPalette(paleta);
    form.resize(1040, 860);

    auto* tema = Criar<XRTheme>(&form, u"xrTheme"_s, 0, 0, 15600, 1000);
    tema->setCaption(u"Alterar orçamento"_s);
    tema->setDataOfInclusion(u"Código 1234 | Incluído em 05/12/2026"_s);
    tema->setDataOfAlteration(u"Alterado em 06/12/2026"_s);

    // Command row of the list.
    auto* adicionar = Criar<XRCommandButton>(&form, u"xrcmdAdicionar"_s, 300, 1200, 1900, 480);
    adicionar->setCaption(u"    Adicionar"_s);
    adicionar->setIcone(u"Adicionar"_s);
    auto* pesquisar = Criar<XRFind>(&form, u"xrfndPesquisar"_s, 2300, 1200, 5200, 480);
    pesquisar->setCaption(u"Orçamento"_s);
    pesquisar->setHint(
        u"Número do orçamento, Código, Apelido, Nome fantasia, Nome ou Razão social do cliente."_s);
    auto* situacao = Criar<XRComboBox>(&form, u"xrcmbSituacao"_s, 7600, 1200, 2600, 480);
    for (const QString& texto : {u"Todas as situações"_s, u"Ativos"_s, u"Inativos"_s, u"Recentes"_s})
        situacao->AddItem(texto);
    situacao->setListIndex(3);
    auto* imprimir = Criar<XRCommandButton>(&form, u"xrcmdImprimirLista"_s, 10300, 1200, 600, 480);
    imprimir->setIcone(u"Imprimir"_s);
    auto* barra = Criar<XRNavigationBar>(&form, u"xrnbBarraDeNavegacao"_s, 11200, 1170, 4200, 540);
    barra->setPrimeiroRegistro(1);
    barra->setUltimoRegistro(6);
    barra->setTotalDeRegistros(13);
    barra->setRegistrosPorPagina(6);
    barra->Atualizar();

    auto* grade = Criar<MSFlexGrid>(&form, u"msfgGrade"_s, 300, 1850, 15000, 3700);
    PreencherGradeDaLista(grade);
    // The list's hover: the row commands at the right end of cell (2, 3), the row highlighted.
    grade->setCol(3);
    grade->setRow(2);
    const char* const comandos[][2] = {
        {"xrcmdAlterar", "Alterar"}, {"xrcmdExcluir", "Excluir"}, {"xrcmdImprimirFicha", "Imprimir"}};
    for (int i = 0; i < 3; ++i) {
        auto* comando = Criar<XRCommandButton>(&form, QString::fromLatin1(comandos[i][0]), 0, 0, 480, 480);
        comando->setIcone(QString::fromLatin1(comandos[i][1]));
        comando->Move(grade->Left() + grade->CellLeft() + grade->CellWidth() - 1710 + 570 * i,
                      grade->Top() + grade->CellTop() + 45, 480, 480);
    }
    grade->setHighLight(1);
    grade->setCol(0);
    grade->setRow(2);
    grade->setColSel(grade->Cols() - 1);

    // Record form's fields.
    Rotulo(&form, u"lblCodigoDoCliente"_s, u"Codigo"_s, 300, 5800, 1500);
    auto* codigo = Criar<XRFind>(&form, u"xrfCodigoDoCliente"_s, 300, 6080, 1500, 450);
    codigo->setText(u"1234"_s);
    codigo->setStyle(2);
    Rotulo(&form, u"lblApelidoOuNomeFantasiaDoCliente"_s, u"Apelido ou nome fantasia"_s, 1950, 5800, 3000);
    auto* apelido = Criar<XRFind>(&form, u"xrfApelidoOuNomeFantasiaDoCliente"_s, 1950, 6080, 3600, 450);
    apelido->setText(u"Totó"_s);
    Rotulo(&form, u"lblNomeOuRazaoSocialDoCliente"_s, u"Nome ou Razão Social"_s, 5700, 5800, 3000);
    auto* nome = Criar<XRFind>(&form, u"xrfNomeOuRazaoSocialDoCliente"_s, 5700, 6080, 4400, 450);
    nome->setEnabled(false);
    Rotulo(&form, u"lblNomeDoAnimal"_s, u"Nome do animal*"_s, 10250, 5800, 3000)->setForeColor(255);
    auto* animal = Criar<XRComboBox>(&form, u"xrcmbAnimal"_s, 10250, 6080, 2800, 450);
    animal->AddItem(u"Rex"_s);
    animal->setEnabled(false);
    Rotulo(&form, u"lblDataDeValidade"_s, u"Data de validade"_s, 13200, 5800, 2000);
    auto* validade = Criar<XRDTPicker>(&form, u"xrdtpDataDeValidadeDoOrcamento"_s, 13200, 6080, 2000, 450);
    validade->setValue(u"15/12/2026"_s);

    auto* servico = Criar<OptionButton>(&form, u"optServico"_s, 300, 6750, 1300, 360);
    servico->setCaption(u"Serviço"_s);
    servico->setValue(true);
    auto* produto = Criar<OptionButton>(&form, u"optProduto"_s, 1700, 6750, 1300, 360);
    produto->setCaption(u"Produto"_s);

    const struct {
        const char* nome;
        const char* rotulo;
        const char* texto;
        bool bloqueado;
    } caixas[] = {{"xrnumQuantidade", "Qtde.", "1,000", false},
                  {"xrnumValorUnitario", "Val. Unit.", "80,00", true},
                  {"xrnumPercentualDeDescontoPorItem", "(%) Desc.", "10,00", false},
                  {"xrnumValorDeDescontoPorItem", "Val. Desc.", "8,00", false},
                  {"xrnumValorTotal", "Valor total", "1.234,50", true}};
    XRNumberBox* quantidade = nullptr;
    int left = 3300;
    for (const auto& caixa : caixas) {
        Rotulo(&form, QString::fromLatin1(caixa.nome).replace(u"xrnum"_s, u"lbl"_s),
               QString::fromUtf8(caixa.rotulo), left, 6500, 1500);
        auto* num = Criar<XRNumberBox>(&form, QString::fromLatin1(caixa.nome), left, 6780, 1500, 450);
        num->setText(QString::fromLatin1(caixa.texto));
        num->setLocked(caixa.bloqueado);
        num->setBackColor(caixa.bloqueado ? Aparencia::CorDeBloqueadoVB : 0xFFFFFF);
        quantidade = quantidade ? quantidade : num;
        left += 1650;
    }

    const char* const botoes[][2] = {{"xrcmdAlterar2", "Alterar"},
                                     {"xrcmdRemover", "Remover"},
                                     {"xrcmdLimparCampos", "Limpar campos"},
                                     {"xrcmdCancelarAlterar", "Cancelar"}};
    left = 300;
    for (const auto& botao : botoes) {
        auto* comando = Criar<XRCommandButton>(&form, QString::fromLatin1(botao[0]), left, 7500, 1800, 480);
        comando->setCaption(QString::fromLatin1(botao[1]));
        left += 1900;
    }
    auto* salvar = Criar<XRCommandButton>(&form, u"xrcmdSalvarFecharConfirmar"_s, left, 7500, 1800, 480);
    salvar->setCaption(u"Salvar"_s);
    salvar->setIcone(u"Salvar"_s);
    salvar->setUseCustomColors(true);
    salvar->setBackColor(0x8C7A1F);
    salvar->setFontColor(0xFFFFFF);
    salvar->setHighlightColor(0x6F6118);
    salvar->setFontHighlightColor(0xFFFFFF);
    auto* desabilitado =
        Criar<XRCommandButton>(&form, u"xrcmdImprimirFicha2"_s, left + 1900, 7500, 1800, 480);
    desabilitado->setCaption(u"Imprimir"_s);
    desabilitado->setIcone(u"Imprimir"_s);
    desabilitado->setEnabled(false);

    // Waiting panel, situation image, every icon, and a frame shape.
    auto* panel = Criar<PictureBox>(&form, u"picMensagem"_s, 300, 8250, 5200, 900);
    panel->setBackColor(0xF6F5F5);
    panel->setBorderStyle(1);
    auto* aguarde = Criar<Image>(panel, u"imgAguarde"_s, 300, 270, 360, 360);
    aguarde->setPicture(Icones::Icone(u"Aguarde"_s, 24, Aparencia::CorDeDestaque()));
    Rotulo(panel, u"lblMensagem"_s, u"Aguarde, reorganizando dados."_s, 900, 330, 4000);
    auto* etiqueta = Criar<Image>(&form, u"imgEtiqueta_Situacao_Ativo"_s, 5800, 8500, 1200, 330);
    etiqueta->setPicture(Icones::Icone(u"EtiquetaAtivo"_s, 22));
    left = 7400;
    for (const QString& nomeDoIcone : Icones::Nomes()) {
        if (nomeDoIcone.startsWith(u"Etiqueta"_s)) continue;
        auto* icone = Criar<Image>(&form, u"img"_s + nomeDoIcone, left, 8550, 360, 360);
        icone->setPicture(Icones::Icone(nomeDoIcone, 20));
        left += 450;
    }
    auto* moldura = Criar<Shape>(&form, u"lshpObj"_s, 60, 1050, 15480, 11700);
    moldura->setBorderColor(0xD8D1CC);

    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) return false;
    quantidade->SetFocus();
    QCoreApplication::processEvents();
    return form.grab().save(arquivo);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    const QString arquivo = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"galeria_controles.png"_s;
    if (!Fotografar(arquivo)) {
        std::fprintf(stderr, "galeria_de_controles: não foi possível gravar %s\n", qPrintable(arquivo));
        return 1;
    }
    std::printf("%s\n", qPrintable(QFileInfo(arquivo).absoluteFilePath()));
    return 0;
}
