#include "TfrmRegagea.h"

#include "Datamodule.h"
#include "Messaggi.h"
#include "Utilitylibrary.h"
#include "Viste.h"
#include "Visualizzazione.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <cmath>

namespace {

const QString LIMITE_ARTICOLI =
    QStringLiteral("Troppi articoli AGEA in anagrafica. Contattare Brevantoria.");
// Fourteen sheets at most, A to N: 56 AGEA articles.
constexpr int MAX_FOGLI = 14;
constexpr int ARTICOLI_FOGLIO = 4;

// The running stock cut to one decimal towards minus infinity (12.37 -> 12.3,
// -2.55 -> -2.6). Ten times the stock is first rounded to six decimals: in binary floating
// point 9.7 - 0.3 is 9.39999..., whose plain cut would be 9.3, one tenth short, and the
// error would carry into every later row of the month.
double TroncaDecimo(double giacenza) {
    return std::floor(std::round(giacenza * 1e7) / 1e6) / 10;
}

QPushButton* pulsante(QWidget* genitore, const QString& nome, const QString& testo,
                      const QRect& posizione) {
    auto* p = new QPushButton(testo, genitore);
    p->setObjectName(nome);
    p->setGeometry(posizione);
    // Enter does not press a button that does not have the focus: no print by mistake.
    p->setAutoDefault(false);
    return p;
}

QDateEdit* dataNascosta(QWidget* genitore, const QString& nome) {
    auto* d = new QDateEdit(genitore);
    d->setObjectName(nome);
    d->hide();
    return d;
}

QString testoCampo(const DataSet& ds, const QString& campo) {
    return ds.riga() < 0 ? QString() : ds.testo(campo);
}

QString numeroDocumento(const QString& numero) {
    bool intero = false;
    const qlonglong n = numero.trimmed().toLongLong(&intero);
    return intero && n != 0 ? numero : QStringLiteral("---");
}

} // namespace

double NumeroRegistro(const QString& testo) {
    bool ok = false;
    const double n = utNumeroDaTesto(testo, &ok);
    if (!ok)
        throw Errore(QStringLiteral("'") + testo +
                     QStringLiteral("' non è un numero in virgola mobile valido."));
    return n;
}

QString DestinatarioRegistro(const QString& testo, const QString& dest) {
    QString risultato = testo;
    risultato.replace(QStringLiteral("{dest}"), dest);
    return risultato.isEmpty() ? QStringLiteral("/") : risultato;
}

TfrmRegagea::TfrmRegagea(TdmDati& dati, Messaggi& messaggi, const Percorsi& percorsi,
                         QWidget* parent)
    : QDialog(parent), m_dati(dati), m_messaggi(messaggi), m_percorsi(percorsi) {
    setObjectName(QStringLiteral("frmRegagea"));
    setWindowTitle(QStringLiteral("Registro di carico e scarico AGEA"));
    setFixedSize(DisegnoRegagea::LARGHEZZA, DisegnoRegagea::ALTEZZA);
    QFont carattere;
    carattere.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    carattere.setPixelSize(11);
    setFont(carattere);
    creaPulsanti();

    LeggiStruttura();
    vid_btnFoglio[0]->setChecked(true);
    ImpostaLayoutStampa(this, false);
}

TfrmRegagea::~TfrmRegagea() = default;

void TfrmRegagea::creaPulsanti() {
    auto* vid_lblMese = new QLabel(QStringLiteral("Mese"), this);
    vid_lblMese->setObjectName(QStringLiteral("vid_lblMese"));
    vid_lblMese->move(22, 21);
    vid_lblRegMese = new QLabel(this);
    vid_lblRegMese->setObjectName(QStringLiteral("vid_lblRegMese"));
    vid_lblRegMese->setGeometry(90, 20, 104, 14);
    vid_lblRegMese->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont grassetto(QStringLiteral("Arial"));
    grassetto.setPixelSize(11);
    grassetto.setBold(true);
    vid_lblRegMese->setFont(grassetto);
    datRegMese = dataNascosta(this, QStringLiteral("datRegMese"));
    datRegMeseMin = dataNascosta(this, QStringLiteral("datRegMeseMin"));
    datRegMeseMax = dataNascosta(this, QStringLiteral("datRegMeseMax"));

    connect(pulsante(this, QStringLiteral("vid_btnPrevMonth"), QStringLiteral("<"),
                     QRect(53, 18, 25, 18)),
            &QPushButton::clicked, this, [this] { cambiaMese(-1); });
    connect(pulsante(this, QStringLiteral("vid_btnNextMonth"), QStringLiteral(">"),
                     QRect(199, 18, 25, 18)),
            &QPushButton::clicked, this, [this] { cambiaMese(1); });
    connect(pulsante(this, QStringLiteral("vid_btnPrevPag"), QStringLiteral("<"),
                     QRect(827, 18, 25, 18)),
            &QPushButton::clicked, this, [this] { cambiaPagina(-1); });
    connect(pulsante(this, QStringLiteral("vid_btnNextPag"), QStringLiteral(">"),
                     QRect(942, 18, 25, 18)),
            &QPushButton::clicked, this, [this] { cambiaPagina(1); });

    // Fourteen sheet buttons, J and K included, so that every printed sheet can be seen:
    // 68 pixels each fill the row that twelve buttons of 80 filled.
    // The pressed sheet stands out as the selected rows of the lists do.
    const QString stileFoglio = QStringLiteral(
        "QPushButton { border: 1px solid #8f8f91; border-radius: 2px; background: #f0f0f0; }"
        "QPushButton:hover { background: #e0e8f8; }"
        "QPushButton:checked { background: rgb(0, 0, 231); color: white; font-weight: bold; }");
    auto* fogli = new QButtonGroup(this);
    fogli->setExclusive(true);
    for (int s = 0; s < MAX_FOGLI; ++s) {
        const QChar lettera(QLatin1Char('A').unicode() + s);
        auto* foglio =
            pulsante(this, QStringLiteral("vid_btnFoglio") + lettera,
                     QStringLiteral("Foglio ") + lettera, QRect(20 + 68 * s, 56, 68, 22));
        foglio->setCheckable(true);
        foglio->setStyleSheet(stileFoglio);
        fogli->addButton(foglio);
        vid_btnFoglio[s] = foglio;
        connect(foglio, &QPushButton::clicked, this, [this] {
            const QChar lettera = FoglioCorrente();
            if (!lettera.isNull())
                MostraPagina(PaginaCorrente(), lettera);
        });
    }

    auto* stampaFoglio = pulsante(this, QStringLiteral("vid_btnStampaFoglio"),
                                  QStringLiteral("Stampa questo &foglio"), QRect(22, 631, 115, 25));
    auto* stampaMese = pulsante(this, QStringLiteral("vid_btnStampa"),
                                QStringLiteral("Stampa tutto il &mese"), QRect(143, 631, 115, 25));
    // DejaVu Sans, which stands in for Tahoma, is too wide for the captions: Arial fits.
    QFont stretto(QStringLiteral("Arial"));
    stretto.setPixelSize(11);
    stampaFoglio->setFont(stretto);
    stampaMese->setFont(stretto);
    connect(stampaFoglio, &QPushButton::clicked, this, &TfrmRegagea::vid_btnStampaFoglioClick);
    connect(stampaMese, &QPushButton::clicked, this, &TfrmRegagea::StampaRegistroMese);
}

void TfrmRegagea::impostaSceltaMese(const QComboBox* cbxRegMese) {
    m_sceltaMese = cbxRegMese;
}

QDate TfrmRegagea::mese() const {
    return datRegMese->date();
}

void TfrmRegagea::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

void TfrmRegagea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_disegno.disegna(painter);
}

void TfrmRegagea::FormShow() {
    QDate primo, ultimo;
    if (!IntervalloMovimenti(primo, ultimo))
        return;
    datRegMeseMin->setDate(QDate(primo.year(), primo.month(), 1));
    datRegMeseMax->setDate(ultimo);
    if (!m_sceltaMese || m_sceltaMese->currentText().isEmpty())
        return;
    Aggiorna(utDataDaMeseAnno(m_sceltaMese->currentText()));
}

void TfrmRegagea::Aggiorna(const QDate& mese) {
    const QString routine = QStringLiteral("TfrmRegagea::Aggiorna");
    utLogEnter(routine);
    ImpostaMese(vid_lblRegMese, datRegMese, mese);
    PreparaVideo();
    ImpostaMesePivot(mese);
    vid_btnFoglio[0]->setChecked(true);
    MostraPagina(1, QLatin1Char('A'));
    utLogExit(routine);
}

void TfrmRegagea::ImpostaMesePivot(const QDate& mese) {
    m_dati.qryPivot.chiudi();
    ImpostaParametriMese(mese);
    // The view has one column per AGEA article as they stand now.
    RicreaQryPivot();
    m_dati.qryPivot.apri();
}

void TfrmRegagea::MostraPagina(int pagina, QChar lettera) {
    const QStringList colonne = m_dati.qryPivot.campi();
    if (colonne.size() < 6)
        return;
    m_disegno.lblPagNo = QString::number(pagina);
    m_disegno.prn_lblPagLett = lettera;
    CompilaRighe(pagina);
    const int primaColonna = 5 + ARTICOLI_FOGLIO * (lettera.unicode() - QLatin1Char('A').unicode());
    for (int k = 0; k < ARTICOLI_FOGLIO; ++k) {
        const int c = primaColonna + k;
        if (c < colonne.size())
            CompilaArticolo(colonne[c].mid(1).toInt(), k, pagina);
        else
            SvuotaArticolo(k);
    }
    update();
}

void TfrmRegagea::CompilaRighe(int pagina) {
    const DataSet& pivot = m_dati.qryPivot;
    const int inizio = (pagina - 1) * DisegnoRegagea::RIGHE_PAGINA;
    for (auto& riga : m_disegno.celle) {
        riga[0].clear();
        riga[1].clear();
        riga[18].clear();
    }
    m_disegno.celle[0][0] = QStringLiteral("RIPORTO");
    m_disegno.celle[0][1] = QStringLiteral("---");
    m_disegno.celle[0][18] = QStringLiteral("/");
    for (int i = 0; i < DisegnoRegagea::RIGHE_PAGINA && inizio + i < pivot.conteggio(); ++i) {
        const int r = inizio + i;
        auto& riga = m_disegno.celle[i + 1];
        riga[0] = TestoValore(pivot.valore(r, QStringLiteral("data")));
        riga[1] = numeroDocumento(TestoValore(pivot.valore(r, QStringLiteral("numero"))));
        riga[18] =
            DestinatarioRegistro(TestoValore(pivot.valore(r, QStringLiteral("destinatario"))),
                                 TestoValore(pivot.valore(r, QStringLiteral("dest"))));
    }
}

void TfrmRegagea::CompilaArticolo(int id, int k, int pagina) {
    const DataSet& pivot = m_dati.qryPivot;
    const QString condizione = QStringLiteral("ID=") + QString::number(id);
    const int b = 2 + 4 * k;
    const int um =
        DbValore(QStringLiteral("articoli"), QStringLiteral("um_id"), condizione).toInt();
    const QString unita = DbValore(QStringLiteral("lstUm"), QStringLiteral("descr"),
                                   QStringLiteral("ID=") + QString::number(um));
    const double apertura = NumeroRegistro(
        DbValore(QStringLiteral("qry_pivot_giac_alla_data"), QStringLiteral("giacza"), condizione));
    SvuotaArticolo(k);
    m_disegno.lblProdotto[k] =
        DbValore(QStringLiteral("articoli"), QStringLiteral("descr"), condizione);

    const QString colonna = QStringLiteral("A") + QString::number(id);
    const QString tipo = QStringLiteral("tipo");
    // The stock after one row: an unload subtracts, a load and any other kind add.
    auto muovi = [&](double giacenza, int r) {
        const QVariant q = pivot.valore(r, colonna);
        if (q.isNull() || q.toString().isEmpty())
            return giacenza;
        const double quantita = q.toDouble();
        const bool scarico = pivot.valore(r, tipo).toString() == QLatin1String("S");
        return TroncaDecimo(scarico ? giacenza - quantita : giacenza + quantita);
    };
    // The stock carried in: the opening stock, moved by every row of the earlier pages.
    const int inizio = (pagina - 1) * DisegnoRegagea::RIGHE_PAGINA;
    double giacenza = apertura;
    for (int r = 0; r < inizio && r < pivot.conteggio(); ++r)
        giacenza = muovi(giacenza, r);
    m_disegno.celle[0][b] = unita;
    m_disegno.celle[0][b + 3] = utTestoNumero(giacenza);

    for (int i = 0; i < DisegnoRegagea::RIGHE_PAGINA && inizio + i < pivot.conteggio(); ++i) {
        const int r = inizio + i;
        auto& riga = m_disegno.celle[i + 1];
        const QString q = TestoValore(pivot.valore(r, colonna));
        const bool carico = pivot.valore(r, tipo).toString() == QLatin1String("C");
        riga[carico ? b + 1 : b + 2] = q;
        if (q.isEmpty())
            continue;
        giacenza = muovi(giacenza, r);
        riga[b + 3] = utTestoNumero(giacenza);
    }
}

void TfrmRegagea::SvuotaArticolo(int k) {
    m_disegno.lblProdotto[k].clear();
    const int b = 2 + 4 * k;
    for (auto& riga : m_disegno.celle) {
        for (int c = b; c < b + 4; ++c)
            riga[c].clear();
    }
}

int TfrmRegagea::PaginaCorrente() const {
    return m_disegno.lblPagNo.toInt();
}

QChar TfrmRegagea::FoglioCorrente() {
    for (int s = 0; s < MAX_FOGLI; ++s) {
        if (vid_btnFoglio[s]->isChecked())
            return QChar(QLatin1Char('A').unicode() + s);
    }
    m_messaggi.errore(QStringLiteral("Errore #REG01"));
    // The window closes once the current event is over.
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    return {};
}

int TfrmRegagea::numeroPagine() const {
    return m_dati.qryPivot.conteggio() / DisegnoRegagea::RIGHE_PAGINA + 1;
}

int TfrmRegagea::numeroFogli() {
    const int articoli = DbValore(QStringLiteral("articoli"), QStringLiteral("COUNT(*)"),
                                  QStringLiteral("agea=True"))
                             .toInt();
    return (articoli + ARTICOLI_FOGLIO - 1) / ARTICOLI_FOGLIO;
}

void TfrmRegagea::LeggiStruttura() {
    const DataSet& azienda = m_dati.tblDatiAzienda;
    m_disegno.prn_lblStrutCar1 = testoCampo(azienda, QStringLiteral("ragsoc"));
    m_disegno.prn_lblStrutCar2 =
        testoCampo(azienda, QStringLiteral("via")) + QStringLiteral(" - ") +
        testoCampo(azienda, QStringLiteral("cap")) + QStringLiteral(" ") +
        testoCampo(azienda, QStringLiteral("citta")) + QStringLiteral(" (") +
        testoCampo(azienda, QStringLiteral("prov")) + QStringLiteral(")");
}

void TfrmRegagea::PreparaStampa() {
    // The organisation as it stands now: changed on "Utilità" since the window was
    // created, it must not differ between the cover and the pages of one register.
    LeggiStruttura();
    ImpostaLayoutStampa(this, true);
    m_disegno.stampa = true;
}

void TfrmRegagea::PreparaVideo() {
    ImpostaLayoutStampa(this, false);
    m_disegno.stampa = false;
    const int fogli = numeroFogli();
    if (fogli > MAX_FOGLI) {
        m_messaggi.errore(LIMITE_ARTICOLI);
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
    for (int s = 0; s < MAX_FOGLI; ++s)
        vid_btnFoglio[s]->setVisible(s < fogli);
    update();
}

void TfrmRegagea::cambiaMese(int mesi) {
    if (!SpostaMese(vid_lblRegMese, datRegMese, datRegMeseMin, datRegMeseMax, mesi))
        return;
    ImpostaMesePivot(datRegMese->date());
    const QChar lettera = FoglioCorrente();
    if (!lettera.isNull())
        MostraPagina(PaginaCorrente(), lettera);
}

void TfrmRegagea::cambiaPagina(int passo) {
    const int pagina = PaginaCorrente() + passo;
    if (pagina < 1 || pagina > numeroPagine()) {
        QApplication::beep();
        return;
    }
    const QChar lettera = FoglioCorrente();
    if (!lettera.isNull())
        MostraPagina(pagina, lettera);
}

void TfrmRegagea::stampa(const QString& titolo, const std::function<bool(QPrinter&)>& lavoro) {
    const QString routine = QStringLiteral("TfrmRegagea::Stampa");
    utLogEnter(routine);
    utLog(routine, titolo);
    StampaDocumento(m_messaggi, routine, titolo, m_percorsi.PathApp, lavoro);
    utLogExit(routine);
}

void TfrmRegagea::vid_btnStampaFoglioClick() {
    const int pagina = PaginaCorrente();
    const QChar lettera = FoglioCorrente();
    if (lettera.isNull())
        return;
    const QString titolo = vid_lblRegMese->text() + QStringLiteral(" - pag.") +
                           QString::number(pagina) + QStringLiteral(" - foglio ") + lettera;
    if (!m_messaggi.domandaOkAnnulla(QStringLiteral("Premere OK quando la stampante è pronta.")))
        return;
    PreparaStampa();
    stampa(titolo, [this, &titolo](QPrinter& printer) {
        return StampaForm(printer, m_disegno, QPageLayout::Landscape, titolo,
                          ScalaStampa::AdattaPagina);
    });
    PreparaVideo();
}

void TfrmRegagea::StampaRegistroMese() {
    const int fogli = numeroFogli();
    const QChar ultima(QLatin1Char('A').unicode() + fogli - 1);
    const int pagine = numeroPagine();

    TfrmCopertinaRegagea copertina;
    const DataSet& azienda = m_dati.tblDatiAzienda;
    copertina.lblStrutturaCaritativa = testoCampo(azienda, QStringLiteral("ragsoc"));
    copertina.lblIndirizzo = testoCampo(azienda, QStringLiteral("via"));
    copertina.lblCitta = testoCampo(azienda, QStringLiteral("citta"));
    copertina.lblProv = testoCampo(azienda, QStringLiteral("prov"));
    copertina.lblTotPag = QString::number(pagine * fogli);
    // Without AGEA articles the register has no page to number: no "1/@" on paper.
    if (fogli > 0) {
        copertina.lblPag0 = QStringLiteral("1/A");
        copertina.lblPagN = QString::number(pagine) + QLatin1Char('/') + ultima;
    }
    copertina.lblMese = vid_lblRegMese->text();

    if (!m_messaggi.domandaOkAnnulla(QStringLiteral("Premere OK quando la stampante è pronta.")))
        return;
    const int paginaMostrata = PaginaCorrente();
    const QChar foglioMostrato = FoglioCorrente();
    if (foglioMostrato.isNull())
        return;
    // The whole month is one print job: the cover at its natural size, then every sheet of
    // every page fitted to the paper, 1/A, 1/B ... 2/A ... up to the last page's last sheet.
    const QString titolo = vid_lblRegMese->text();
    stampa(titolo, [&](QPrinter& printer) {
        LavoroStampa lavoro(printer, QPageLayout::Landscape, titolo);
        bool stampato = lavoro.pagina(copertina, ScalaStampa::Naturale);
        PreparaStampa();
        for (int pagina = 1; stampato && pagina <= pagine; ++pagina) {
            for (int s = 0; stampato && s < fogli; ++s) {
                MostraPagina(pagina, QChar(QLatin1Char('A').unicode() + s));
                stampato = lavoro.pagina(m_disegno, ScalaStampa::AdattaPagina);
            }
        }
        return lavoro.fine() && stampato;
    });
    PreparaVideo();
    MostraPagina(paginaMostrata, foglioMostrato);
}
