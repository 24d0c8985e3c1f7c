-- The template database "Dolvera0.mdb": tables, indexes, triggers, fixed rows and views.
--
-- Conventions: every ID is an INTEGER PRIMARY KEY AUTOINCREMENT; dates are ISO text
-- 'YYYY-MM-DD' (' HH:MM:SS' only where a time exists) in DATETIME columns; booleans are 0
-- and 1 in BOOLEAN columns; Text(n) is VARCHAR(n), whose length the screens enforce.
-- Small integers are declared INTEGER, the type the Qt driver reads as a number.
-- The views are plain SQLite SQL, readable by any SQLite tool.

BEGIN;

-- ---------------------------------------------------------------- master data

CREATE TABLE articoli (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    codint VARCHAR(6),
    descr VARCHAR(50),
    catmerc_id INTEGER,
    agea BOOLEAN NOT NULL DEFAULT 0,
    um_id INTEGER,
    giacenza FLOAT,
    scortamin FLOAT
);
CREATE INDEX articoli_descr ON articoli (descr COLLATE NOCASE);

CREATE TABLE lstCatmerc (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    descr VARCHAR(50)
);
CREATE INDEX lstCatmerc_descr ON lstCatmerc (descr COLLATE NOCASE);

CREATE TABLE lstUm (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    descr VARCHAR(50)
);
CREATE INDEX lstUm_descr ON lstUm (descr COLLATE NOCASE);

CREATE TABLE nominativi (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    cognome VARCHAR(40),
    nome VARCHAR(40),
    via VARCHAR(50),
    cap VARCHAR(5),
    citta VARCHAR(50),
    prov VARCHAR(2),
    nazione VARCHAR(30),
    nazionalita VARCHAR(30),
    telefono1 VARCHAR(30),
    telefono2 VARCHAR(30),
    email VARCHAR(50),
    codfisc VARCHAR(16),
    statoCivile VARCHAR(25),
    natoA VARCHAR(50),
    natoIl VARCHAR(50),
    note VARCHAR(100),
    numFamiliari INTEGER,
    dettFamiliari TEXT
);
CREATE INDEX nominativi_cognomeNome ON nominativi (cognome COLLATE NOCASE, nome COLLATE NOCASE);

-- codfor is not unique: the program writes "0" for every supplier it creates.
CREATE TABLE fornitori (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    codfor VARCHAR(6),
    ragsoc VARCHAR(80),
    via VARCHAR(50),
    cap VARCHAR(5),
    citta VARCHAR(50),
    prov VARCHAR(2),
    nazione VARCHAR(30),
    telefono VARCHAR(30),
    fax VARCHAR(30),
    email VARCHAR(50),
    codfisc VARCHAR(16),
    piva VARCHAR(11),
    riferimento1 VARCHAR(35),
    riferimento2 VARCHAR(35),
    riferimento3 VARCHAR(35),
    telefono1 VARCHAR(30),
    telefono2 VARCHAR(30),
    telefono3 VARCHAR(30)
);
CREATE INDEX fornitori_codfor ON fornitori (codfor);
CREATE INDEX fornitori_ragsoc ON fornitori (ragsoc COLLATE NOCASE);

CREATE TABLE datiAzienda (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    ragsoc VARCHAR(80),
    via VARCHAR(50),
    cap VARCHAR(5),
    citta VARCHAR(50),
    prov VARCHAR(2),
    nazione VARCHAR(30),
    telefono VARCHAR(30),
    fax VARCHAR(30),
    email VARCHAR(50),
    codfisc VARCHAR(16),
    piva VARCHAR(11)
);

-- ---------------------------------------------------------------- movements

CREATE TABLE carichi_mast (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    data DATETIME,
    nrDocumento VARCHAR(10),
    fornitore_id INTEGER
);
-- The list order, and the month's receipts by date.
CREATE INDEX carichi_mast_data ON carichi_mast (data, fornitore_id, nrDocumento);

CREATE TABLE carichi_dett (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    master_id INTEGER,
    articoli_id INTEGER,
    qta FLOAT
);
CREATE INDEX carichi_dett_master_id ON carichi_dett (master_id, articoli_id);
-- By article, covering the stock sums of an article up to a day.
CREATE INDEX carichi_dett_articoli_id ON carichi_dett (articoli_id, master_id, qta);

CREATE TABLE scarichi_mast (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    data DATETIME,
    nominativi_id INTEGER,
    nrDocumento INTEGER,
    causali_id INTEGER,
    nrBeneficiati INTEGER
);
CREATE INDEX scarichi_mast_data_nrDoc ON scarichi_mast (data, nrDocumento);
CREATE INDEX scarichi_mast_nrDoc ON scarichi_mast (nrDocumento);
-- The days of the deliveries to people (reason 1), for the Annex 9 declarations.
CREATE INDEX scarichi_mast_causali_data ON scarichi_mast (causali_id, data);

CREATE TABLE scarichi_dett (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    master_id INTEGER,
    articoli_id INTEGER,
    qta FLOAT
);
CREATE INDEX scarichi_dett_master_id ON scarichi_dett (master_id, articoli_id);
-- By article, covering the stock sums of an article up to a day.
CREATE INDEX scarichi_dett_articoli_id ON scarichi_dett (articoli_id, master_id, qta);

CREATE TABLE lstCausali (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    descr VARCHAR(50)
);

CREATE TABLE cons_mast (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    descr VARCHAR(50)
);

CREATE TABLE cons_dett (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    modelli_id INTEGER,
    articoli_id INTEGER,
    qta FLOAT
);
CREATE INDEX cons_dett_modelli_id ON cons_dett (modelli_id, articoli_id);
CREATE INDEX cons_dett_articoli_id ON cons_dett (articoli_id);

-- A deleted receipt, distribution or template takes its lines with it (the year closing
-- deletes header rows only).
CREATE TRIGGER carichi_mast_elimina_righe AFTER DELETE ON carichi_mast
BEGIN
    DELETE FROM carichi_dett WHERE master_id = OLD.ID;
END;
CREATE TRIGGER scarichi_mast_elimina_righe AFTER DELETE ON scarichi_mast
BEGIN
    DELETE FROM scarichi_dett WHERE master_id = OLD.ID;
END;
CREATE TRIGGER cons_mast_elimina_righe AFTER DELETE ON cons_mast
BEGIN
    DELETE FROM cons_dett WHERE modelli_id = OLD.ID;
END;

-- One Annex 9 declaration per delivery day, numbered within its year.
CREATE TABLE allegati9 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    data DATETIME,
    anno INTEGER,
    numero INTEGER,
    stampato BOOLEAN NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX allegati9_data ON allegati9 (data);
CREATE UNIQUE INDEX allegati9_annonumero ON allegati9 (anno, numero);
CREATE INDEX allegati9_dataDesc ON allegati9 (data DESC);

-- ---------------------------------------------------------------- parameters and version

-- Exactly one row: the values the views and the report host read.
CREATE TABLE parametri (
    ID INTEGER PRIMARY KEY AUTOINCREMENT CHECK (ID = 1),
    Stampa_Articolo_ID INTEGER,
    Stampa_Nominativo_ID INTEGER,
    Stampa_Fornitore_ID INTEGER,
    Stampa_Carico_ID INTEGER,
    Stampa_Scarico_ID INTEGER,
    Stampa_ModCons_id INTEGER,
    Regagea_Articolo_ID INTEGER,
    Pivot_mese DATETIME,
    Pivot_giac_data DATETIME
);

-- The program writes every parameter as quoted text, dates as the Italian short date
-- dd/MM/yyyy (d/M/yyyy accepted too, a time after the year ignored). The two dates the
-- views read are turned into ISO 'YYYY-MM-DD' as they arrive; ISO values stay as they are.
CREATE TRIGGER parametri_Pivot_mese_iso AFTER UPDATE OF Pivot_mese ON parametri
WHEN NEW.Pivot_mese GLOB '[0-9]*/[0-9]*/[0-9][0-9][0-9][0-9]*'
BEGIN
    UPDATE parametri SET Pivot_mese = (
        SELECT printf('%04d-%02d-%02d', CAST(substr(r, instr(r, '/') + 1) AS INTEGER),
                      CAST(substr(r, 1, instr(r, '/') - 1) AS INTEGER), CAST(g AS INTEGER))
        FROM (SELECT substr(v, 1, instr(v, '/') - 1) AS g, substr(v, instr(v, '/') + 1) AS r
              FROM (SELECT NEW.Pivot_mese AS v)))
    WHERE ID = NEW.ID;
END;
CREATE TRIGGER parametri_Pivot_giac_data_iso AFTER UPDATE OF Pivot_giac_data ON parametri
WHEN NEW.Pivot_giac_data GLOB '[0-9]*/[0-9]*/[0-9][0-9][0-9][0-9]*'
BEGIN
    UPDATE parametri SET Pivot_giac_data = (
        SELECT printf('%04d-%02d-%02d', CAST(substr(r, instr(r, '/') + 1) AS INTEGER),
                      CAST(substr(r, 1, instr(r, '/') - 1) AS INTEGER), CAST(g AS INTEGER))
        FROM (SELECT substr(v, 1, instr(v, '/') - 1) AS g, substr(v, instr(v, '/') + 1) AS r
              FROM (SELECT NEW.Pivot_giac_data AS v)))
    WHERE ID = NEW.ID;
END;

CREATE TABLE info (
    versioneDb INTEGER NOT NULL
);

-- Working table of a per-article register; it ships empty.
CREATE TABLE temp_RegUnArt (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    articoli_id INTEGER,
    artdescr VARCHAR(50),
    data DATETIME,
    wn INTEGER,
    rangedoc VARCHAR(255),
    descr VARCHAR(50),
    carico FLOAT,
    scarico FLOAT,
    giacza FLOAT,
    dest INTEGER,
    riporto BOOLEAN NOT NULL DEFAULT 0
);

-- ---------------------------------------------------------------- fixed rows

INSERT INTO info (versioneDb) VALUES (1);

INSERT INTO parametri (ID, Stampa_Articolo_ID, Stampa_Nominativo_ID, Stampa_Fornitore_ID,
                       Stampa_Carico_ID, Stampa_Scarico_ID, Stampa_ModCons_id,
                       Regagea_Articolo_ID, Pivot_mese, Pivot_giac_data)
VALUES (1, 0, 0, 0, 0, 0, 0, 0, NULL, NULL);

-- 1 serves registered people; 2 and 3 serve nobody; the others take a count typed by hand.
INSERT INTO lstCausali (ID, descr) VALUES
    (1, 'Consegna a indigenti'),
    (2, 'Eliminazione per scadenza'),
    (3, 'Cessione ad altra struttura caritativa'),
    (4, 'Mensa'),
    (5, 'Unità di strada'),
    (6, 'Emergenza');

INSERT INTO lstUm (descr) VALUES
    ('kg'), ('grammi'), ('litri'), ('pezzi'), ('confezioni'), ('bottiglie'), ('scatole'),
    ('lattine'), ('vasetti'), ('pacchi');

INSERT INTO lstCatmerc (descr) VALUES
    ('Pasta'), ('Riso'), ('Latte e derivati'), ('Formaggi'), ('Olio'), ('Conserve'),
    ('Legumi'), ('Biscotti'), ('Omogeneizzati'), ('Frutta'), ('Verdura'), ('Carne'),
    ('Pesce'), ('Zucchero'), ('Farina'), ('Prodotti per l''infanzia'), ('Bevande'),
    ('Igiene personale'), ('Varie');

INSERT INTO datiAzienda (ragsoc, via, cap, citta, prov, nazione, telefono, fax, email,
                         codfisc, piva)
VALUES ('Associazione Banco Alimentare Esempio', 'Via Roma 1', '20121', 'Milano', 'MI',
        'Italia', '02 1234567', '02 7654321', 'info@bancoalimentare-esempio.it',
        '97000000001', '01234567890');

-- ---------------------------------------------------------------- views

-- Stock of every article at the start of the day parametri.Pivot_giac_data: the opening
-- stock plus what was received and minus what was handed out before that day.
CREATE VIEW qry_pivot_giac_alla_data AS
SELECT A.ID AS ID,
       IFNULL(A.giacenza, 0)
       + (SELECT TOTAL(D.qta)
          FROM carichi_dett D JOIN carichi_mast M ON M.ID = D.master_id
          WHERE D.articoli_id = A.ID
            AND M.data < (SELECT date(Pivot_giac_data) FROM parametri))
       - (SELECT TOTAL(D.qta)
          FROM scarichi_dett D JOIN scarichi_mast M ON M.ID = D.master_id
          WHERE D.articoli_id = A.ID
            AND M.data < (SELECT date(Pivot_giac_data) FROM parametri)) AS giacza
FROM articoli A;

-- The AGEA register of the month parametri.Pivot_mese. RicreaQryPivot (Viste.cpp) rebuilds
-- this view with one column "A<ID>" per AGEA article before it is read; this is its form
-- for a database without AGEA articles, the same text the program generates for none.
CREATE VIEW qry_pivot AS
WITH mese AS (
    SELECT date(Pivot_mese, 'start of month') AS inizio,
           date(Pivot_mese, 'start of month', '+1 month') AS fine
    FROM parametri)
SELECT tipo, data, numero, dest, destinatario
FROM (
    SELECT 'C' AS tipo, M.ID AS master_id, M.data AS data, M.nrDocumento AS numero,
           NULL AS nrOrdine, '' AS dest, IFNULL(F.ragsoc, '') AS destinatario,
           D.articoli_id AS articoli_id, TOTAL(D.qta) AS qta
    FROM carichi_mast M
    JOIN carichi_dett D ON D.master_id = M.ID
    JOIN articoli A ON A.ID = D.articoli_id
    LEFT JOIN fornitori F ON F.ID = M.fornitore_id
    WHERE M.data >= (SELECT inizio FROM mese) AND M.data < (SELECT fine FROM mese)
      AND A.agea = 1
    GROUP BY M.ID, D.articoli_id
    UNION ALL
    SELECT 'S', M.ID, M.data, M.nrDocumento, M.nrDocumento,
           IFNULL(CAST(M.nrBeneficiati AS TEXT), ''),
           CASE WHEN M.causali_id = 1 AND M.nrBeneficiati = 1 THEN '{dest} indigente'
                WHEN M.causali_id = 1 THEN '{dest} indigenti'
                ELSE IFNULL(K.descr, '') END,
           D.articoli_id, TOTAL(D.qta)
    FROM scarichi_mast M
    JOIN scarichi_dett D ON D.master_id = M.ID
    JOIN articoli A ON A.ID = D.articoli_id
    LEFT JOIN lstCausali K ON K.ID = M.causali_id
    WHERE M.data >= (SELECT inizio FROM mese) AND M.data < (SELECT fine FROM mese)
      AND A.agea = 1
    GROUP BY M.ID, D.articoli_id)
GROUP BY tipo, master_id
ORDER BY data, tipo, nrOrdine, numero, master_id;

-- The delivery days of the Annex 9 declarations: days with at least one reason-1
-- distribution line of an AGEA article; dest = persons served that day by the reason-1
-- distributions holding AGEA goods, each distribution counted once.
-- The days are read first (one index search) and each is tested until its first AGEA line
-- is found: the numbering check reads every day after each distribution confirmed.
CREATE VIEW qry_all9_dest AS
SELECT G.data AS data,
       (SELECT TOTAL(M.nrBeneficiati)
        FROM scarichi_mast M
        WHERE M.causali_id = 1 AND M.data = G.data
          AND EXISTS (SELECT 1
                      FROM scarichi_dett D JOIN articoli A ON A.ID = D.articoli_id
                      WHERE D.master_id = M.ID AND A.agea = 1)) AS dest
FROM (SELECT DISTINCT data FROM scarichi_mast WHERE causali_id = 1) G
WHERE EXISTS (SELECT 1
              FROM scarichi_mast M
              JOIN scarichi_dett D ON D.master_id = M.ID
              JOIN articoli A ON A.ID = D.articoli_id
              WHERE M.causali_id = 1 AND M.data = G.data AND A.agea = 1)
ORDER BY G.data;

-- The goods of each delivery day's declaration: per AGEA article the quantity handed out
-- by the day's reason-1 distributions.
CREATE VIEW qry_all9_dett AS
SELECT M.data AS data, D.articoli_id AS articoli_id, TOTAL(D.qta) AS quanti,
       A.descr AS descr, U.descr AS um
FROM scarichi_mast M
JOIN scarichi_dett D ON D.master_id = M.ID
JOIN articoli A ON A.ID = D.articoli_id
LEFT JOIN lstUm U ON U.ID = A.um_id
WHERE M.causali_id = 1 AND A.agea = 1
GROUP BY M.data, D.articoli_id
ORDER BY M.data, A.descr COLLATE NOCASE, D.articoli_id;

-- The month's AGEA receipts and distributions, one row per document and article, for the
-- reports of the report host.
CREATE VIEW qry_pivot_carichi AS
SELECT M.ID AS master_id, M.data AS data, M.nrDocumento AS numero,
       M.fornitore_id AS fornitore_id, F.ragsoc AS ragsoc,
       D.articoli_id AS articoli_id, A.descr AS descr, TOTAL(D.qta) AS qta
FROM carichi_mast M
JOIN carichi_dett D ON D.master_id = M.ID
JOIN articoli A ON A.ID = D.articoli_id
LEFT JOIN fornitori F ON F.ID = M.fornitore_id
WHERE M.data >= (SELECT date(Pivot_mese, 'start of month') FROM parametri)
  AND M.data < (SELECT date(Pivot_mese, 'start of month', '+1 month') FROM parametri)
  AND A.agea = 1
GROUP BY M.ID, D.articoli_id
ORDER BY M.data, M.nrDocumento, M.ID, A.descr COLLATE NOCASE, D.articoli_id;

CREATE VIEW qry_pivot_scarichi AS
SELECT M.ID AS master_id, M.data AS data, M.nrDocumento AS numero,
       M.causali_id AS causali_id, K.descr AS causale, M.nrBeneficiati AS nrBeneficiati,
       D.articoli_id AS articoli_id, A.descr AS descr, TOTAL(D.qta) AS qta
FROM scarichi_mast M
JOIN scarichi_dett D ON D.master_id = M.ID
JOIN articoli A ON A.ID = D.articoli_id
LEFT JOIN lstCausali K ON K.ID = M.causali_id
WHERE M.data >= (SELECT date(Pivot_mese, 'start of month') FROM parametri)
  AND M.data < (SELECT date(Pivot_mese, 'start of month', '+1 month') FROM parametri)
  AND A.agea = 1
GROUP BY M.ID, D.articoli_id
ORDER BY M.data, M.nrDocumento, M.ID, A.descr COLLATE NOCASE, D.articoli_id;

-- The AGEA register in report form for the month parametri.Pivot_mese and the article
-- parametri.Regagea_Articolo_ID (0: every AGEA article). Per article a carried-forward
-- row with the stock at the start of the month, then one row per document of the month
-- holding the article, giacza being the stock after the row in register order; with the
-- organisation's heading, the month's first and last day and the article's unit.
CREATE VIEW qry_regagea_fase999 AS
WITH par AS (
    SELECT date(Pivot_mese, 'start of month') AS inizio,
           date(Pivot_mese, 'start of month', '+1 month') AS fine,
           date(Pivot_mese, 'start of month', '+1 month', '-1 day') AS ultimo,
           IFNULL(Regagea_Articolo_ID, 0) AS articolo
    FROM parametri),
art AS (
    SELECT A.ID AS ID, A.descr AS descr, U.descr AS um,
           IFNULL(A.giacenza, 0)
           + (SELECT TOTAL(D.qta)
              FROM carichi_dett D JOIN carichi_mast M ON M.ID = D.master_id
              WHERE D.articoli_id = A.ID AND M.data < (SELECT inizio FROM par))
           - (SELECT TOTAL(D.qta)
              FROM scarichi_dett D JOIN scarichi_mast M ON M.ID = D.master_id
              WHERE D.articoli_id = A.ID AND M.data < (SELECT inizio FROM par)) AS apertura
    FROM articoli A
    CROSS JOIN par
    LEFT JOIN lstUm U ON U.ID = A.um_id
    WHERE (par.articolo = 0 AND A.agea = 1) OR A.ID = par.articolo),
-- The month's documents drive the lines (CROSS JOIN keeps that order), not the article's
-- lines of every year. nrOrdine orders the distributions by number as numbers: the
-- materialised union stores numero with the text type of the receipts' numbers.
righe AS (
    SELECT D.articoli_id AS articoli_id, M.data AS data, 'C' AS tipo,
           M.nrDocumento AS numero, NULL AS nrOrdine, M.ID AS master_id,
           IFNULL(F.ragsoc, '') AS descr,
           TOTAL(D.qta) AS carico, NULL AS scarico, '' AS dest, 0 AS riporto
    FROM carichi_mast M
    CROSS JOIN carichi_dett D ON D.master_id = M.ID
    LEFT JOIN fornitori F ON F.ID = M.fornitore_id
    WHERE M.data >= (SELECT inizio FROM par) AND M.data < (SELECT fine FROM par)
      AND D.articoli_id IN (SELECT ID FROM art)
    GROUP BY M.ID, D.articoli_id
    UNION ALL
    SELECT D.articoli_id, M.data, 'S', M.nrDocumento, M.nrDocumento, M.ID,
           CASE WHEN M.causali_id = 1 AND M.nrBeneficiati = 1 THEN '1 indigente'
                WHEN M.causali_id = 1
                THEN trim(replace('{dest} indigenti', '{dest}', IFNULL(M.nrBeneficiati, '')))
                ELSE IFNULL(K.descr, '') END,
           NULL, TOTAL(D.qta), IFNULL(CAST(M.nrBeneficiati AS TEXT), ''), 0
    FROM scarichi_mast M
    CROSS JOIN scarichi_dett D ON D.master_id = M.ID
    LEFT JOIN lstCausali K ON K.ID = M.causali_id
    WHERE M.data >= (SELECT inizio FROM par) AND M.data < (SELECT fine FROM par)
      AND D.articoli_id IN (SELECT ID FROM art)
    GROUP BY M.ID, D.articoli_id
    UNION ALL
    SELECT art.ID, par.inizio, '', NULL, NULL, 0, 'RIPORTO', NULL, NULL, '', 1
    FROM art, par),
azienda AS (
    SELECT ragsoc,
           trim(IFNULL(via, '') || ' - ' || IFNULL(cap, '') || ' ' || IFNULL(citta, '')
                || CASE WHEN IFNULL(prov, '') = '' THEN '' ELSE ' (' || prov || ')' END,
                ' -') AS indirizzo,
           trim(CASE WHEN IFNULL(telefono, '') = '' THEN '' ELSE 'Tel. ' || telefono END
                || CASE WHEN IFNULL(fax, '') = '' THEN '' ELSE ' / Fax ' || fax END,
                ' /') AS telefoni,
           trim(CASE WHEN IFNULL(codfisc, '') = '' THEN '' ELSE 'C.F. ' || codfisc END
                || CASE WHEN IFNULL(piva, '') = '' THEN '' ELSE ' / P.IVA ' || piva END,
                ' /') AS fisc
    FROM datiAzienda
    ORDER BY ID
    LIMIT 1)
SELECT R.articoli_id AS articoli_id, art.descr AS artdescr, R.data AS data,
       IFNULL(CAST(R.numero AS TEXT), '') AS rangedoc, R.descr AS descr,
       R.carico AS carico, R.scarico AS scarico,
       art.apertura + SUM(IFNULL(R.carico, 0) - IFNULL(R.scarico, 0))
           OVER (PARTITION BY R.articoli_id
                 ORDER BY R.riporto DESC, R.data, R.tipo, R.nrOrdine, R.numero, R.master_id
                 ROWS UNBOUNDED PRECEDING) AS giacza,
       R.dest AS dest, R.riporto AS riporto,
       Z.ragsoc AS az_ragsoc, Z.indirizzo AS az_indirizzo, Z.telefoni AS az_telefoni,
       Z.fisc AS az_fisc, par.inizio AS Regagea_data0, par.ultimo AS Regagea_data1,
       art.um AS um
FROM righe R
JOIN art ON art.ID = R.articoli_id
CROSS JOIN par
LEFT JOIN azienda Z
ORDER BY art.descr COLLATE NOCASE, R.articoli_id, R.riporto DESC, R.data, R.tipo, R.nrOrdine,
         R.numero, R.master_id;

COMMIT;
