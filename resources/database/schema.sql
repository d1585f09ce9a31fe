-- Tables of Quarvel's databases. The build makes the three vehicle database
-- templates (table Logs) and the registry (table Anagrafica) from this file
-- with quarvel_crea_database, one table per file. Statements end with ";"
-- at the end of a line; no ";" inside them.

-- One row per logged second. TimeDate is the rowid: the table is stored in
-- time order, a period is a range scan, and a second already present is
-- refused. Instants are whole seconds of the logger's wall clock since
-- 1970-01-01 00:00:00. REAL and DOUBLE both hold 8-byte floats in SQLite;
-- the declared names keep the single/double distinction of each column.
CREATE TABLE Logs (
  TimeDate   INTEGER PRIMARY KEY,
  TimeDateLH INTEGER NOT NULL,
  DatoPT     SMALLINT NOT NULL,
  Dato0      SMALLINT NOT NULL,
  Dato1      SMALLINT NOT NULL,
  Dato2      REAL NOT NULL,
  Dato3      SMALLINT NOT NULL,
  Dato4      SMALLINT NOT NULL,
  Dato5      SMALLINT NOT NULL,
  Dato6      REAL NOT NULL,
  Dato7      SMALLINT NOT NULL,
  Dato8      INTEGER NOT NULL,
  Dato9      INTEGER NOT NULL,
  Dato10     DOUBLE NOT NULL,
  Dato11     DOUBLE NOT NULL,
  Dato12     SMALLINT NOT NULL,
  Dato13     REAL NOT NULL,
  Dato14     SMALLINT NOT NULL,
  Dato15     REAL NOT NULL,
  Dato16     SMALLINT NOT NULL
);

-- One row per vehicle, listed in the order the vehicles were entered. The
-- plate names the vehicle's database files, and file names are compared
-- without regard to letter case: so are plates.
CREATE TABLE Anagrafica (
  Targa        TEXT NOT NULL COLLATE NOCASE UNIQUE,
  MarcaModello TEXT NOT NULL DEFAULT '',
  Capacita     SMALLINT NOT NULL DEFAULT 0,
  Altezza      SMALLINT NOT NULL DEFAULT 0,
  KGasolio     DOUBLE NOT NULL DEFAULT 0,
  KSensore     DOUBLE NOT NULL DEFAULT 0,
  AltreInfo    TEXT NOT NULL DEFAULT ''
);
