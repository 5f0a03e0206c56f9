#include "branches/janela_backup.h"

#include "branches/arquivos.h"
#include "branches/backup.h"
#include "branches/janela_andamento.h"
#include "branches/troca_filial.h"
#include "widgets/cria.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kTitulo = QStringLiteral("Backup");

// Hourglass while a long operation runs inside a click.
struct Ampulheta {
    Ampulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ampulheta() { QApplication::restoreOverrideCursor(); }
};

bool legivel(const QString& pasta) {
    const QFileInfo f(pasta);
    return f.isDir() && f.isReadable() && f.isExecutable();
}

}  // namespace

JanelaBackup::JanelaBackup(Contexto& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    montaControles();
    Form_Load();
}

void JanelaBackup::montaControles() {
    setObjectName(QStringLiteral("bac"));
    setWindowTitle(kTitulo);

    Label2 = new QLabel(QStringLiteral("Drive:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Label1 = new QLabel(QStringLiteral("Caminho:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setMinimumSize(320, 220);

    Command1 = criaBotao(this, "Command1", QStringLiteral("Realizar backup"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Restaurar backup"));
    Command3 = criaBotao(this, "Command3", QStringLiteral("Fechar"));
    Command4 = criaBotao(this, "Command4", QString());
    Command2->setEnabled(false);

    auto* grade = new QGridLayout;
    grade->addWidget(Label2, 0, 0);
    grade->addWidget(Drive1, 0, 1);
    grade->addWidget(Label1, 1, 0, Qt::AlignTop);
    grade->addWidget(Dir1, 1, 1);
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command4, Command3}) botoes->addWidget(b);
    botoes->addStretch();
    auto* tudo = new QHBoxLayout(this);
    tudo->addLayout(grade, 1);
    tudo->addLayout(botoes);

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(Dir1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* i) { Dir1_Click(i->data(Qt::UserRole).toString()); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

void JanelaBackup::Form_Load() {
    const QString programa = ctx_.plataforma.pastaPrograma();
    {
        const QSignalBlocker bloqueio(Drive1);
        Drive1->addItems(ctx_.plataforma.discos().unidades(programa));
        Drive1->setCurrentIndex(0);
    }
    raiz_ = Drive1->currentText();
    mostraPasta(programa);
    atualizaRestaurar();
    bool escritorio = false;
    try {
        escritorio = ctx_.estado.db.valor(QStringLiteral("SELECT escritorio FROM geral")).toBool();
    } catch (const ErroBanco& e) {
        avisa(e.mensagem());
    }
    Command4->setText(escritorio ? kRecebeBackupFilial : kRealizaBackupEscritorio);
}

void JanelaBackup::avisa(const QString& texto) {
    ctx_.plataforma.mensagem(texto, Icone::Exclamacao, kTitulo);
}

void JanelaBackup::atualizaRestaurar() {
    Command2->setEnabled(existe_arquivo(arquivo_backup(pasta_)));
}

// The folder list shows the way from the drive's root down to the chosen folder, then the
// folders inside it; a click on any of them opens it.
void JanelaBackup::mostraPasta(const QString& pasta) {
    pasta_ = QDir::cleanPath(pasta);
    Dir1->clear();
    QStringList caminho;
    for (QString p = pasta_; ; p = QFileInfo(p).absolutePath()) {
        caminho.prepend(p);
        if (p == raiz_ || p == QLatin1String("/") || !p.startsWith(raiz_)) break;
    }
    int nivel = 0;
    for (const QString& p : caminho) {
        const QString nome = nivel == 0 ? p : QFileInfo(p).fileName();
        auto* item = new QListWidgetItem(QString(nivel * 2, u' ') + nome, Dir1);
        item->setData(Qt::UserRole, p);
        ++nivel;
    }
    Dir1->setCurrentRow(Dir1->count() - 1);
    const QStringList filhas =
        QDir(pasta_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : filhas) {
        auto* item = new QListWidgetItem(QString(nivel * 2, u' ') + f, Dir1);
        item->setData(Qt::UserRole, naPasta(pasta_, f));
    }
}

void JanelaBackup::Drive1_Change() {
    const QString programa = ctx_.plataforma.pastaPrograma();
    const QString unidade = Drive1->currentText();
    QString pasta = Drive1->currentIndex() <= 0 ? programa : unidade;
    if (!legivel(pasta)) {
        avisa(QStringLiteral("Drive '%1' não disponível.").arg(unidade));
        const QSignalBlocker bloqueio(Drive1);
        Drive1->setCurrentIndex(0);
        pasta = programa;
    }
    raiz_ = Drive1->currentText();
    mostraPasta(pasta);
    atualizaRestaurar();
}

void JanelaBackup::Dir1_Click(const QString& pasta) {
    if (legivel(pasta)) mostraPasta(pasta);
    atualizaRestaurar();
}

void JanelaBackup::Command1_Click() {
    ResultadoBackup r;
    {
        const Ampulheta ampulheta;
        r = realiza_backup(ctx_.estado.db, ctx_.plataforma.pastaPrograma(), pasta_,
                           ctx_.plataforma.discos().espacoLivre(pasta_));
    }
    avisa(r.mensagem);
    atualizaRestaurar();
}

void JanelaBackup::Command2_Click() {
    if (!ctx_.plataforma.pergunta(
            QStringLiteral("Todos os dados atuais serão substituídos pelos do backup %1. "
                           "Deseja continuar?")
                .arg(arquivo_backup(pasta_)),
            kTitulo))
        return;
    const ResultadoBackup r =
        restaura_backup(ctx_.estado.db, ctx_.plataforma.pastaPrograma(), pasta_);
    if (r.ok && aoTrocarBanco) aoTrocarBanco();
    avisa(r.mensagem);
}

void JanelaBackup::Command3_Click() { close(); }

void JanelaBackup::Command4_Click() {
    const QString arquivo = naPasta(ctx_.plataforma.pastaPrograma(), kNomeArquivoTroca);
    Plataforma& p = ctx_.plataforma;
    if (Command4->text() == kRecebeBackupFilial) {
        if (!existe_arquivo(arquivo)) {
            p.mensagem(QStringLiteral("Arquivo %1 não encontrado.").arg(arquivo), Icone::Informacao);
            return;
        }
        if (!p.pergunta(QStringLiteral("Este procedimento irá sobrescrever os registros com mesmo "
                                       "código. Ex.: cliente com código 1 filial 1. Deseja "
                                       "continuar?")))
            return;
        ResultadoBackup r;
        {
            const Ampulheta ampulheta;
            JanelaAndamento andamento(this, QStringLiteral("Recebendo backup de filial..."));
            r = mescla_filial(ctx_.estado.db, arquivo, &andamento.andamento(),
                              [&p](const QString& pergunta) { return p.pergunta(pergunta); });
        }
        p.mensagem(r.mensagem, r.ok ? Icone::Informacao : Icone::Exclamacao);
        return;
    }
    ResultadoBackup r;
    {
        const Ampulheta ampulheta;
        r = exporta_filial(ctx_.estado.db, arquivo);
    }
    p.mensagem(r.mensagem, r.ok ? Icone::Nenhum : Icone::Exclamacao);
}
