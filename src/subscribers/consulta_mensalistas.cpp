#include "subscribers/consulta_mensalistas.h"

#include "widgets/cria.h"

#include "data/datas.h"
#include "data/dinheiro.h"
#include "subscribers/campo_selecionado.h"
#include "subscribers/campos_mensalista.h"
#include "subscribers/janela_mensalistas.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>

namespace {

QString doisDigitos(const QVariant& v, const QString& vazio) {
    return v.isNull() ? vazio : QStringLiteral("%1").arg(v.toInt(), 2, 10, QLatin1Char('0'));
}

// "#,#00.00": at least two digits before the comma.
QString valorHistorico(const QVariant& v) {
    const auto d = Dinheiro::doBanco(v);
    if (!d) return {};
    QString t = d->formata();
    if (t.indexOf(u',') == 1) t.prepend(u'0');
    return t;
}

void selecionaPorTexto(QComboBox* lista, const QString& texto) {
    const int i = lista->findText(texto);
    lista->setCurrentIndex(i < 0 ? 0 : i);
}

}  // namespace

bool carrega_mensalista(Banco& db, qint64 codigo, JanelaMensalistas& men) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT * FROM mensalistas WHERE codigo = ?"), {codigo});
    if (!q.next()) return false;
    const QSqlRecord r = q.record();
    auto v = [&](const char* campo) { return r.value(QLatin1String(campo)); };
    auto t = [&](const char* campo) { return v(campo).toString(); };

    men.cod->setText(t("codigo"));
    const QDate inicio = dataDoBanco(v("data_inicio"));
    men.dat->setText(inicio.isValid() ? dataBr(inicio) : kDataVazia);
    men.nom->setText(t("nome"));
    men.ende->setText(t("endereco"));
    men.bai->setText(t("bairro"));
    men.cep->setText(t("cep").isEmpty() ? kCepVazio : t("cep"));
    men.cid->setText(t("cidade"));
    const QDate aniversario = dataDoBanco(v("aniversario"));
    men.ani->setText(aniversario.isValid() ? aniversario.toString(QStringLiteral("dd/MM"))
                                           : kAniversarioVazio);
    men.tel_res->setText(t("tel_res"));
    men.tel_com->setText(t("tel_com"));
    men.tel_cel->setText(t("tel_cel"));
    men.fax->setText(t("fax"));
    men.rg->setText(t("rg"));
    if (!t("cnpj").isEmpty()) {
        men.Combo1->setCurrentIndex(1);
        men.Combo1_Click();
        men.cpf->setText(t("cnpj"));
    } else {
        men.Combo1->setCurrentIndex(0);
        men.Combo1_Click();
        men.cpf->setText(t("cpf").isEmpty() ? kCpfVazio : t("cpf"));
    }
    selecionaPorTexto(men.cod_tip, t("tipo"));
    men.tip->setCurrentIndex(men.cod_tip->currentIndex());
    men.tip_Click();
    men.dia->setText(doisDigitos(v("dia_vencto"), QStringLiteral("  ")));
    const auto fee = Dinheiro::doBanco(v("valor"));
    men.valor->setText(fee ? fee->formata() : QString());
    men.tol->setText(v("tolerancia").isNull() ? QStringLiteral(" 0")
                                              : t("tolerancia").leftJustified(2).left(2));
    selecionaPorTexto(men.cod_fil, t("filial"));
    men.fil->setCurrentIndex(men.cod_fil->currentIndex());
    men.num->setText(doisDigitos(v("num_max_veic"), QStringLiteral("  ")));
    men.vei->clear();
    men.ano->setText(kAnoVazio);
    men.pla->setText(kPlacaMensalistaVazia);
    const QDate ferIni = dataDoBanco(v("data_ini_ferias")), ferFim = dataDoBanco(v("data_fim_ferias"));
    men.dat_ini->setText(ferIni.isValid() ? dataBr(ferIni) : kDataVazia);
    men.dat_fim->setText(ferFim.isValid() ? dataBr(ferFim) : kDataVazia);

    const char* dias[] = {"dom", "seg", "ter", "qua", "qui", "sex", "sab"};
    bool todos = true;
    for (const char* d : dias) todos = todos && v(d).toBool();
    if (todos) {
        for (int i = 0; i < 7; ++i) men.checks[i]->setChecked(true);
        men.checks[7]->setChecked(true);
    } else {
        for (int i = 0; i < 7; ++i) men.checks[i]->setChecked(v(dias[i]).toBool());
    }
    const QTime hIni = horaDoBanco(v("hora_inicio")), hFim = horaDoBanco(v("hora_fim"));
    men.hor_ini->setText(hIni.isValid() ? horaHms(hIni) : kHoraLongaVazia);
    men.hor_fim->setText(hFim.isValid() ? horaHms(hFim) : kHoraLongaVazia);

    // The authorised vehicles, in the order they were stored.
    QSqlQuery veiculos = db.executa(
        QStringLiteral("SELECT veiculo, ano, placa FROM veiculos_mensalistas WHERE codigo = ? "
                       "ORDER BY rowid"),
        {codigo});
    QList<QStringList> linhas;
    while (veiculos.next())
        linhas << QStringList{veiculos.value(0).toString(),
                              veiculos.value(1).toString().leftJustified(4).left(4),
                              veiculos.value(2).toString()};
    men.grid1->setRowCount(int(linhas.size()));
    for (int i = 0; i < linhas.size(); ++i)
        for (int c = 0; c < 3; ++c) men.defineCelula(men.grid1, i + 1, c, linhas[i][c]);
    men.defineLinhaAtualGrid1(1);

    // The fee history, newest month first, unpaid months in white on red.
    men.grid2->setRowCount(1);
    for (int c = 0; c < 3; ++c) {
        men.defineCelula(men.grid2, 1, c, QString());
        men.grid2->item(0, c)->setBackground(Qt::white);
        men.grid2->item(0, c)->setForeground(Qt::black);
    }
    QSqlQuery meses = db.executa(QStringLiteral("SELECT mes, pago, data_pgto, valor FROM mensalidades "
                                                "WHERE codigo = ? ORDER BY mes DESC"),
                                 {codigo});
    int i = 0;
    while (meses.next()) {
        ++i;
        if (i > 1) men.grid2->setRowCount(i);
        const QString celulas[] = {
            dataDoBanco(meses.value(0)).toString(QStringLiteral("MM/yy")),
            dataDoBanco(meses.value(2)).toString(QStringLiteral("dd/MM/yy")),
            valorHistorico(meses.value(3))};
        for (int c = 0; c < 3; ++c) {
            men.defineCelula(men.grid2, i, c, celulas[c]);
            QTableWidgetItem* item = men.grid2->item(i - 1, c);
            const bool aberto = !meses.value(1).isNull() && !meses.value(1).toBool();
            item->setBackground(aberto ? QColor(255, 0, 0) : QColor(Qt::white));
            item->setForeground(aberto ? QColor(Qt::white) : QColor(Qt::black));
        }
    }
    return true;
}

ConsultaMensalistas::ConsultaMensalistas(Contexto& ctx, JanelaMensalistas& registro, QWidget* parent)
    : QWidget(parent), ctx_(ctx), registro_(registro) {
    setObjectName(QStringLiteral("cons_men"));
    setWindowTitle(QStringLiteral("Consulta Mensalistas"));
    auto nomeia = [](QWidget* w, const char* n) { w->setObjectName(QLatin1String(n)); };

    codigo = new CampoSelecionado(this);
    nomeia(codigo, "codigo");
    codigo->setInputMask(QStringLiteral("00000000; "));
    Command3 = criaBotao(this, "Command3", QStringLiteral("OK"));
    Command4 = criaBotao(this, "Command4", QStringLiteral("Fechar"));
    Text1 = new QLineEdit(this);
    nomeia(Text1, "Text1");
    Command1 = criaBotao(this, "Command1", QStringLiteral("OK"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Fechar"));
    List1 = new QListWidget(this);
    nomeia(List1, "List1");
    List2 = new QListWidget(this);
    nomeia(List2, "List2");
    List2->hide();
    List2->setEnabled(false);
    cod = new QLineEdit(this);
    nomeia(cod, "cod");
    cod->hide();
    cod->setEnabled(false);

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Código:"), this), 0, 0);
    g->addWidget(codigo, 0, 1);
    g->addWidget(Command3, 0, 2);
    g->addWidget(Command4, 0, 3);
    auto* linha = new QFrame(this);
    linha->setObjectName(QStringLiteral("Line1"));
    linha->setFrameShape(QFrame::HLine);
    g->addWidget(linha, 1, 0, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("Digite as iniciais abaixo ou selecione da lista. Tecle "
                                           "ENTER ou pressione OK."),
                            this),
                 2, 0, 1, 4);
    g->addWidget(Text1, 3, 0, 1, 2);
    g->addWidget(Command1, 3, 2);
    g->addWidget(Command2, 3, 3);
    g->addWidget(List1, 4, 0, 1, 4);
    setTabOrder(codigo, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, List1);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(Command4, &QPushButton::clicked, this, &QWidget::close);
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(codigo, &QLineEdit::returnPressed, this, [this] { Command3_Click(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { Command1_Click(); });
    List1->installEventFilter(this);

    leDoBanco(ctx_.plataforma, QStringLiteral("a lista de mensalistas"), [this] {
        QSqlQuery q = ctx_.estado.db.executa(QStringLiteral(
            "SELECT codigo, nome FROM mensalistas WHERE excluido = 0 ORDER BY nome"));
        while (q.next()) {
            List1->addItem(q.value(1).toString());
            List2->addItem(q.value(0).toString());
        }
    });
    List1->setCurrentRow(-1);
    codigo->setFocus();
}

bool ConsultaMensalistas::eventFilter(QObject* alvo, QEvent* evento) {
    if (alvo == List1) {
        if (evento->type() == QEvent::FocusIn) listaComFoco_ = true;
        if (evento->type() == QEvent::FocusOut) listaComFoco_ = false;
        if (evento->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(evento)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                if (!cod->text().isEmpty()) Command1_Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(alvo, evento);
}

void ConsultaMensalistas::Text1_Change() {
    int achado = -1;
    const QString busca = Text1->text();
    if (!busca.isEmpty())
        for (int i = 0; i < List1->count(); ++i)
            if (List1->item(i)->text().startsWith(busca, Qt::CaseInsensitive)) {
                achado = i;
                break;
            }
    if (List1->currentRow() == achado)
        List1_Click();
    else
        List1->setCurrentRow(achado);
}

void ConsultaMensalistas::List1_Click() {
    const int i = List1->currentRow();
    if (listaComFoco_ && i >= 0 && Text1->text() != List1->item(i)->text())
        Text1->setText(List1->item(i)->text());
    const int j = List1->currentRow();
    cod->setText(j >= 0 && j < List2->count() ? List2->item(j)->text() : QString());
}

void ConsultaMensalistas::Command1_Click() {
    if (cod->text().isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Selecione o mensalista a consultar."));
        Text1->setFocus();
        return;
    }
    carrega(cod->text().toLongLong());
}

void ConsultaMensalistas::Command3_Click() {
    const QString texto = codigo->displayText().trimmed();
    if (texto.isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Digite o código do mensalista."));
        codigo->setFocus();
        return;
    }
    bool numero = true;
    for (QChar c : texto) numero = numero && c.isDigit();
    // Digits with blanks between them name no subscriber.
    carrega(numero ? texto.toLongLong() : -1);
}

void ConsultaMensalistas::carrega(qint64 codigoMensalista) {
    bool achado = false;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("os dados do mensalista"), [&] {
            achado = codigoMensalista >= 0 &&
                     carrega_mensalista(ctx_.estado.db, codigoMensalista, registro_);
        }))
        return;
    if (!achado) {
        ctx_.plataforma.mensagem(QStringLiteral("Mensalista não encontrado."));
        return;
    }
    close();
}
