#include "tests/record/TesteDaFichaComItens.h"

#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

#include <QApplication>
#include <QtTest>

void TesteDaFichaComItens::Ativar() {
    mficha->show();
    mficha->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
}

void TesteDaFichaComItens::EscolherCliente() {
    const QStringList textos{QStringLiteral("1"), QStringLiteral("João"), QStringLiteral("João da Silva")};
    const char* campos[] = {"xrfCodigoDoCliente", "xrfApelidoOuNomeFantasiaDoCliente",
                            "xrfNomeOuRazaoSocialDoCliente"};
    for (int i = 0; i < 3; ++i) {
        ControleDaFicha<XRFind>(campos[i])->setStatus(XRFind::StatusNenhum);
        ControleDaFicha<XRFind>(campos[i])->setText(textos[i]);
    }
    auto* animal = ControleDaFicha<XRComboBox>("xrcmbAnimal");
    animal->Clear();
    for (const auto& [nome, codigo] : {std::pair{"Rex", 10}, std::pair{"Mel", 11}}) {
        animal->AddItem(QString::fromUtf8(nome));
        animal->setItemData(animal->NewIndex(), codigo);
    }
    animal->setListIndex(0);
    animal->setEnabled(true);
    for (const char* opcao : {"optServico", "optProduto"})
        ControleDaFicha<OptionButton>(opcao)->setEnabled(true);
    ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos")->setEnabled(true);
}

namespace {

void Encontrado(XRFind* campo, const QString& texto) {
    campo->setStatus(XRFind::StatusNenhum);
    campo->setText(texto);
    campo->setEnabled(true);
}

} // namespace

// The item's four values, in boxes opened as a lookup leaves them.
void TesteDaFichaComItens::PreencherValores(const QStringList& lstrValores) {
    const char* caixas[] = {"xrnumQuantidade", "xrnumValorUnitario", "xrnumPercentualDeDescontoPorItem",
                            "xrnumValorDeDescontoPorItem"};
    for (int i = 0; i < 4; ++i) {
        Caixa(caixas[i])->setText(lstrValores.value(i));
        Caixa(caixas[i])->setLocked(false);
    }
}

void TesteDaFichaComItens::PreencherServico(int lintTipo, int lintCodigo, const QString& lstrNome,
                                            const QString& lstrCusto, const QStringList& lstrValores) {
    ControleDaFicha<OptionButton>("optServico")->setValue(true);
    auto* tipos = ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos");
    for (int i = 0; i < tipos->ListCount(); ++i)
        if (tipos->ItemData(i) == lintTipo) tipos->setListIndex(i);
    Encontrado(ControleDaFicha<XRFind>("xrfCodigoDoServico"), QString::number(lintCodigo));
    Encontrado(ControleDaFicha<XRFind>("xrfNomeDoServico"), lstrNome);
    ControleDaFicha<XRFind>("xrfNomeDoServico")->setTag(lstrCusto);
    PreencherValores(lstrValores);
}

void TesteDaFichaComItens::PreencherProduto(const QString& lstrCodigoDeBarras, int lintCodigo,
                                            const QString& lstrNome, const QString& lstrCusto,
                                            const QStringList& lstrValores) {
    ControleDaFicha<OptionButton>("optProduto")->setValue(true);
    Encontrado(ControleDaFicha<XRFind>("xrfCodigoDeBarrasDoProduto"), lstrCodigoDeBarras);
    Encontrado(ControleDaFicha<XRFind>("xrfCodigoInternoDoProduto"),
               lintCodigo ? QString::number(lintCodigo) : QString());
    Encontrado(ControleDaFicha<XRFind>("xrfNomeDoProduto"), lstrNome);
    ControleDaFicha<XRFind>("xrfNomeDoProduto")->setTag(lstrCusto);
    PreencherValores(lstrValores);
}

void TesteDaFichaComItens::AdicionarConsulta(const QStringList& lstrValores) {
    PreencherServico(1, 1, QStringLiteral("Consulta clínica"), QStringLiteral("48"), lstrValores);
    Clicar("xrcmdAdicionar");
}

void TesteDaFichaComItens::AdicionarRacao(const QStringList& lstrValores) {
    PreencherProduto(QStringLiteral("7891234567895"), 100, QStringLiteral("Ração Cães 15 kg"),
                     QStringLiteral("145"), lstrValores);
    Clicar("xrcmdAdicionar");
}

void TesteDaFichaComItens::Clicar(const char* lstrComando) {
    emit ControleDaFicha<XRCommandButton>(lstrComando)->Click();
}

void TesteDaFichaComItens::Digitar(const char* lstrCaixa, const QString& lstrTeclas) {
    Caixa(lstrCaixa)->SetFocus();
    QTest::keyClicks(Caixa(lstrCaixa)->Editor(), lstrTeclas);
}

void TesteDaFichaComItens::Sair() {
    Caixa("xrnumValorUnitario")->SetFocus();
}

XRNumberBox* TesteDaFichaComItens::Caixa(const char* lstrNome) const {
    return ControleDaFicha<XRNumberBox>(lstrNome);
}

MSFlexGrid* TesteDaFichaComItens::Grade() const {
    return ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
}

QStringList TesteDaFichaComItens::Totais() const {
    QStringList totais;
    for (const char* caixa :
         {"xrnumValorTotal", "xrnumDescontoEmPercentual", "xrnumDescontoEmValor", "xrnumValorLiquido"})
        totais << Caixa(caixa)->Text();
    return totais;
}

QStringList TesteDaFichaComItens::Linha(int lintLinha) const {
    QStringList celulas;
    for (int c = GradeDeItens::TipoDeServicoOuCodigoDeBarras; c <= GradeDeItens::CodigoDaSituacao; ++c)
        celulas << Grade()->TextMatrix(lintLinha, c);
    return celulas;
}

QString TesteDaFichaComItens::Foco() const {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<Controle*>(w) && w->parentWidget() == mficha.get()) return w->objectName();
    return QString();
}

QStringList TesteDaFichaComItens::RotulosVermelhos() const {
    QStringList rotulos;
    for (Label* rotulo : mficha->findChildren<Label*>())
        if (rotulo->ForeColor() == 255) rotulos << rotulo->objectName();
    return rotulos;
}
