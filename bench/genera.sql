-- A realistic food bank database of five years (2021 to 2025), for the benchmark:
-- 300 articles (56 AGEA), 3,000 beneficiaries, 50 suppliers, 250 delivery days a year with
-- 48 distributions each (60,000 distributions, 600,000 lines), 5,000 receipts with ten lines
-- each and 10 delivery templates. Deterministic: every value is computed from row numbers.
-- Runs on a working copy of the template: sqlite3 Dolvera.mdb < genera.sql

BEGIN;

INSERT INTO articoli (ID, codint, descr, catmerc_id, agea, um_id, giacenza, scortamin)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)
SELECT i, printf('A%04d', i),
       CASE WHEN i <= 56 THEN printf('AGEA PRODOTTO %02d', i) ELSE printf('ARTICOLO %03d', i) END,
       1 + i % 19, i <= 56, 1 + i % 10, 1000, 10
FROM n;

INSERT INTO nominativi (ID, cognome, nome, via, cap, citta, prov, numFamiliari)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000),
cognomi(k, c) AS (VALUES (0, 'ROSSI'), (1, 'RUSSO'), (2, 'FERRARI'), (3, 'ESPOSITO'),
    (4, 'BIANCHI'), (5, 'ROMANO'), (6, 'COLOMBO'), (7, 'RICCI'), (8, 'MARINO'), (9, 'GRECO'),
    (10, 'BRUNO'), (11, 'GALLO'), (12, 'CONTI'), (13, 'DE LUCA'), (14, 'MANCINI'),
    (15, 'COSTA'), (16, 'GIORDANO'), (17, 'RIZZO'), (18, 'LOMBARDI'), (19, 'MORETTI'),
    (20, 'BARBIERI'), (21, 'FONTANA'), (22, 'SANTORO'), (23, 'MARIANI'), (24, 'RINALDI'),
    (25, 'CARUSO'), (26, 'FERRARA'), (27, 'GALLI'), (28, 'MARTINI'), (29, 'LEONE'),
    (30, 'LONGO'), (31, 'GENTILE'), (32, 'MARTINELLI'), (33, 'VITALE'), (34, 'LOMBARDO'),
    (35, 'SERRA'), (36, 'COPPOLA'), (37, 'DE SANTIS'), (38, 'D''ANGELO'), (39, 'MARCHETTI')),
nomi(k, c) AS (VALUES (0, 'Anna'), (1, 'Marco'), (2, 'Giulia'), (3, 'Luca'), (4, 'Sara'),
    (5, 'Ahmed'), (6, 'Fatima'), (7, 'Ion'), (8, 'Maria'), (9, 'Giuseppe'), (10, 'Elena'),
    (11, 'Omar'), (12, 'Rosa'))
SELECT i, (SELECT c FROM cognomi WHERE k = i % 40) || CASE WHEN i > 40 THEN ' ' || (i / 40) ELSE '' END,
       (SELECT c FROM nomi WHERE k = i % 13), printf('Via dei Mille %d', i % 200 + 1), '20100',
       'Milano', 'MI', 1 + i % 6
FROM n;

INSERT INTO fornitori (ID, codfor, ragsoc, citta)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50)
SELECT i, printf('F%03d', i), printf('Fornitore %02d s.r.l.', i), 'Milano' FROM n;

-- The delivery days: weekdays, less one in twenty-four, about 250 a year.
CREATE TEMP TABLE giorni AS
WITH RECURSIVE d(g) AS (SELECT date('2021-01-01') UNION ALL
                        SELECT date(g, '+1 day') FROM d WHERE g < '2025-12-31')
SELECT g FROM d
WHERE strftime('%w', g) BETWEEN '1' AND '5' AND CAST(strftime('%j', g) AS INTEGER) % 24 <> 0;
CREATE TEMP TABLE giorni_n AS SELECT ROW_NUMBER() OVER (ORDER BY g) AS n, g FROM giorni;

-- 48 distributions a delivery day: mostly deliveries to beneficiaries (reason 1), some
-- expired goods (2), canteen (4) and anonymous deliveries.
INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati)
WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 47),
doc AS (SELECT (g.n - 1) * 48 + k.j + 1 AS id, g.g AS data FROM giorni_n g, k)
SELECT id, data,
       CASE WHEN id % 20 IN (3, 9) OR id % 97 = 0 THEN 0 ELSE 1 + (id * 7919) % 3000 END,
       ROW_NUMBER() OVER (PARTITION BY substr(data, 1, 4) ORDER BY id),
       CASE WHEN id % 20 = 3 THEN 2 WHEN id % 20 = 9 THEN 4 ELSE 1 END,
       CASE WHEN id % 20 = 3 THEN 0 WHEN id % 20 = 9 THEN 25 WHEN id % 97 = 0 THEN 2
            ELSE 1 + ((id * 7919) % 3000 + 1) % 6 END
FROM doc WHERE id <= 60000;

-- Ten lines a distribution, three of them AGEA products, no article twice.
INSERT INTO scarichi_dett (master_id, articoli_id, qta)
WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 9)
SELECT M.ID,
       CASE WHEN k.j < 3 THEN 1 + (M.ID * 3 + k.j * 18) % 56
            ELSE 57 + (M.ID * 5 + (k.j - 3) * 35) % 244 END,
       1 + (M.ID + k.j) % 5
FROM scarichi_mast M, k;

-- 1,000 receipts a year with ten lines each.
INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)
SELECT i, (SELECT g FROM giorni_n WHERE giorni_n.n = 1 + (i - 1) / 4), printf('DDT %d', i),
       1 + i % 50
FROM n;

INSERT INTO carichi_dett (master_id, articoli_id, qta)
WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 9)
SELECT C.ID, 1 + (C.ID * 11 + k.j * 30) % 300, 50 + (C.ID + k.j) % 200
FROM carichi_mast C, k;

INSERT INTO cons_mast (ID, descr)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10)
SELECT i, printf('Pacco famiglia %d', i) FROM n;

INSERT INTO cons_dett (modelli_id, articoli_id, qta)
WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 11)
SELECT M.ID, 1 + (M.ID * 7 + k.j * 25) % 300, 1 + k.j % 3 FROM cons_mast M, k;

DROP TABLE giorni_n;
DROP TABLE giorni;
COMMIT;
