#include "Esploratore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <climits>

namespace quarvel {

namespace {
QString Padre(const QString& p) { return p.left(p.lastIndexOf(QLatin1Char('/'))); }

struct Op {
  // L new file, M new folder, R rename, U removal, W write, T truncation,
  // K database commit; S sync of a file, D of a folder.
  char tipo = 0;
  int inode = -1;
  QString percorso{}, verso{};
  qint64 off = 0;
  QByteArray byte{};
  QStringList cartelle{};  // a name (or a commit) lasts when these are synced
  int durevole = INT_MAX;  // the sync that makes it last
  bool Sincronia() const { return tipo == 'S' || tipo == 'D'; }
  bool Contenuto() const { return tipo == 'W' || tipo == 'T' || tipo == 'K'; }
};

struct Traccia {
  std::vector<Op> op;
  std::vector<QByteArray> iniziali;  // each inode's bytes before the run
  std::map<QString, int> nomi;       // the names before the run
  QString errore;
};

Traccia Leggi(const Disco& iniziale, const QString& registro) {
  Traccia t;
  for (const auto& [p, b] : iniziale.file) {
    t.nomi[p] = int(t.iniziali.size());
    t.iniziali.push_back(b);
  }
  std::map<QString, int> nomi = t.nomi;
  int inodi = int(t.iniziali.size());
  std::map<int, std::pair<int, QString>> maniglie;  // inode (-1: a folder) and path
  QFile f(registro), dati(registro + QStringLiteral(".dati"));
  if (!f.open(QIODevice::ReadOnly) || !dati.open(QIODevice::ReadOnly)) {
    t.errore = QStringLiteral("traccia illeggibile: ") + registro;
    return t;
  }
  const QByteArray blob = dati.readAll();
  auto Inode = [&](const QString& p) {
    if (!nomi.count(p)) t.errore = QStringLiteral("file sconosciuto: ") + p;
    return nomi.count(p) ? nomi[p] : -1;
  };
  for (const QByteArray& riga : f.readAll().split('\n')) {
    if (riga.isEmpty() || !t.errore.isEmpty()) continue;
    const QList<QByteArray> c = riga.split('\t');
    const QString p1 = QString::fromUtf8(c.value(1)), p2 = QString::fromUtf8(c.value(2));
    Op o{.tipo = c[0][0]};
    switch (o.tipo) {
      case 'A': {
        const QByteArray segni = c.value(2);
        const QString p = QString::fromUtf8(c.value(3));
        const int m = c[1].toInt();
        if (segni[0] == 'd') {
          maniglie[m] = {-1, p};
          continue;
        }
        if (segni[1] == 'c') t.op.push_back({'L', nomi[p] = inodi++, p, {}, 0, {}, {Padre(p)}});
        maniglie[m] = {segni[1] == 'n' ? inodi++ : Inode(p), p};
        if (segni[2] != 't') continue;
        o = {.tipo = 'T', .inode = nomi[p]};
        break;
      }
      case 'W':
        o.byte = blob.mid(c[4].toLongLong(), c[3].toLongLong());
        [[fallthrough]];
      case 'T':
      case 'S':
        if (!maniglie.count(c[1].toInt())) t.errore = QStringLiteral("maniglia sconosciuta: ") + riga;
        std::tie(o.inode, o.percorso) = maniglie[c[1].toInt()];
        o.off = c.value(2).toLongLong();
        if (o.tipo == 'S' && o.inode < 0) o.tipo = 'D';
        break;
      case 'R':
        o = {'R', Inode(p1), p1, p2, 0, {}, {Padre(p1), Padre(p2)}};
        nomi.erase(p1);
        nomi[p2] = o.inode;
        break;
      case 'K': {
        QFile copia(p2);
        copia.open(QIODevice::ReadOnly);
        o = {'K', Inode(p1), p1, {}, 0, copia.readAll(), {Padre(p1)}};
        break;
      }
      case 'U':
        o = {'U', Inode(p1), p1, {}, 0, {}, {Padre(p1)}};
        nomi.erase(p1);
        break;
      case 'M':
        o = {'M', -1, p1, {}, 0, {}, {Padre(p1)}};
        break;
      case 'N':  // an unnamed file gets its name
        o = {'L', nomi[p2] = maniglie[c[1].toInt()].first, p2, {}, 0, {}, {Padre(p2)}};
        break;
      default:
        t.errore = QStringLiteral("riga sconosciuta: ") + riga;
    }
    t.op.push_back(o);
  }
  t.iniziali.resize(size_t(inodi));
  // The first sync after an operation of its file (for its bytes) or of
  // each of its folders (for its names).
  for (size_t i = 0; i < t.op.size(); ++i) {
    Op& o = t.op[i];
    const auto Sync = [&](auto copre) {
      for (size_t j = i + 1; j < t.op.size(); ++j)
        if (copre(t.op[j])) return int(j);
      return INT_MAX;
    };
    if (o.Sincronia()) continue;
    if (o.cartelle.isEmpty()) o.durevole = Sync([&](const Op& s) { return s.tipo == 'S' && s.inode == o.inode; });
    else o.durevole = 0;
    for (const QString& c : o.cartelle)
      o.durevole = std::max(o.durevole, Sync([&](const Op& s) { return s.tipo == 'D' && s.percorso == c; }));
  }
  return t;
}

// The state after the operations before `fine` that `tieni` keeps. Its
// print names each reachable file with the operations that made its bytes.
struct Costruito {
  QByteArray impronta;
  std::map<QString, int> nomi;
  std::set<QString> cartelle;
};

Costruito Nomi(const Traccia& t, const Disco& iniziale, const QStringList& radici, size_t fine,
               const std::vector<char>& tieni) {
  Costruito c{{}, t.nomi, iniziale.cartelle};
  std::vector<std::vector<int>> storia(t.iniziali.size());
  for (size_t i = 0; i < fine; ++i) {
    const Op& o = t.op[i];
    if (o.Sincronia() || !tieni[i]) continue;
    if (o.tipo == 'M') c.cartelle.insert(o.percorso);
    if (o.tipo == 'L') c.nomi[o.percorso] = o.inode;
    if ((o.tipo == 'R' || o.tipo == 'U') && c.nomi.count(o.percorso) && c.nomi[o.percorso] == o.inode)
      c.nomi.erase(o.percorso);
    if (o.tipo == 'R') c.nomi[o.verso] = o.inode;
    if (o.Contenuto()) storia[size_t(o.inode)].push_back(int(i));
  }
  auto Raggiungibile = [&](QString p) {
    for (p = Padre(p); !radici.contains(p); p = Padre(p))
      if (p.isEmpty() || !c.cartelle.count(p)) return false;
    return true;
  };
  std::erase_if(c.cartelle, [&](const QString& p) { return !Raggiungibile(p + QStringLiteral("/x")); });
  std::erase_if(c.nomi, [&](const auto& n) { return !Raggiungibile(n.first); });
  QByteArray impronta;
  for (const QString& p : c.cartelle) impronta += p.toUtf8() + '\n';
  for (const auto& [p, i] : c.nomi) {
    impronta += p.toUtf8() + ':' + QByteArray::number(i);
    for (int s : storia[size_t(i)]) impronta += ',' + QByteArray::number(s);
    impronta += '\n';
  }
  c.impronta = QCryptographicHash::hash(impronta, QCryptographicHash::Sha1);
  return c;
}

Disco Contenuti(const Traccia& t, const Costruito& c, size_t fine, const std::vector<char>& tieni) {
  std::vector<QByteArray> byte = t.iniziali;
  for (size_t i = 0; i < fine; ++i) {
    const Op& o = t.op[i];
    if (!tieni[i] || !o.Contenuto()) continue;
    QByteArray& b = byte[size_t(o.inode)];
    if (o.tipo == 'W') {
      b.resize(std::max<qint64>(b.size(), o.off + o.byte.size()), '\0');
      b.replace(o.off, o.byte.size(), o.byte);
    }
    if (o.tipo == 'T') b.resize(o.off, '\0');
    if (o.tipo == 'K') b = o.byte;
  }
  Disco d{c.cartelle, {}};
  for (const auto& [p, i] : c.nomi) d.file[p] = byte[size_t(i)];
  return d;
}

QString Descrivi(const Op& o) {
  const QString chi = o.percorso.isEmpty() ? QStringLiteral("inode %1").arg(o.inode) : o.percorso;
  return QStringLiteral("%1 %2%3").arg(QChar(o.tipo), chi, o.verso.isEmpty() ? QString() : " -> " + o.verso);
}
}  // namespace

Disco LeggiDisco(const QStringList& radici) {
  Disco d;
  for (const QString& radice : radici)
    for (QDirIterator it(radice, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
      const QFileInfo voce = it.nextFileInfo();
      QFile f(voce.filePath());
      if (voce.isDir()) d.cartelle.insert(voce.filePath());
      else d.file[voce.filePath()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
  return d;
}

void ScriviDisco(const Disco& disco, const QStringList& radici) {
  for (const QString& radice : radici) {
    QDir(radice).removeRecursively();
    QDir().mkpath(radice);
  }
  for (const QString& c : disco.cartelle) QDir().mkpath(c);
  for (const auto& [p, b] : disco.file) {
    QFile f(p);
    if (f.open(QIODevice::WriteOnly)) f.write(b);
  }
}

Esplorazione EsploraCadute(const Disco& iniziale, const QStringList& radici, const QString& registro,
                           int tuttiFinoA) {
  Esplorazione e;
  const Traccia t = Leggi(iniziale, registro);
  e.errore = t.errore;
  std::set<QByteArray> visti;
  for (size_t fine = 0; e.errore.isEmpty() && fine <= t.op.size(); ++fine) {
    if (fine < t.op.size() && !t.op[fine].Sincronia()) continue;
    ++e.punti;
    std::vector<size_t> liberi;  // done, not yet durable
    for (size_t i = 0; i < fine; ++i)
      if (!t.op[i].Sincronia() && t.op[i].durevole >= int(fine)) liberi.push_back(i);
    const size_t n = liberi.size();
    auto Con = [&](auto persa) {
      std::vector<char> tieni(fine, 1);
      for (size_t k = 0; k < n; ++k) tieni[liberi[k]] = !persa(k);
      const Costruito c = Nomi(t, iniziale, radici, fine, tieni);
      if (!visti.insert(c.impronta).second) return;
      QString come = fine < t.op.size() ? QStringLiteral("caduta prima di ") + Descrivi(t.op[fine])
                                        : QStringLiteral("caduta alla fine");
      QStringList perse;
      for (size_t k = 0; k < n; ++k)
        if (persa(k)) perse << Descrivi(t.op[liberi[k]]);
      if (!perse.isEmpty()) come += QStringLiteral("; perse: ") + perse.join(QStringLiteral("; "));
      e.stati.push_back({Contenuti(t, c, fine, tieni), come});
    };
    if (n <= size_t(tuttiFinoA)) {
      for (uint64_t m = 0; m < (uint64_t(1) << n); ++m) Con([m](size_t k) { return (m >> k) & 1; });
      continue;
    }
    ++e.puntiRidotti;
    for (size_t j = 0; j <= n; ++j) {
      Con([j](size_t k) { return k == j; });
      Con([j](size_t k) { return k >= j; });
    }
  }
  return e;
}

}  // namespace quarvel
