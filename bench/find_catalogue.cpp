#include "find_catalogue.h"

#include "bench_catalogue.h"
#include "platform/database.h"

#include <QSqlQuery>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace bench {

namespace {

constexpr int distinctNames = 33'334;

const QString& characters()
{
    static const QString pool
        = u"阿莫西林胶囊颗粒片注射液复方甘草维生素葡萄糖氯化钠头孢克肟拉定呋辛曲松他汀托伐瑞舒布洛芬"
          u"对乙酰氨基酚地奈德沙丁胺醇左氧氟星环丙诺硝苯平缓释控尼群酸钙镁锌铁叶黄连清热解毒口服银翘"
          u"感冒灵板蓝根双蒲消炎利胆肝和胃养血安神丸散膏丹贴剂喷雾滴眼鼻耳栓凝乳软硬肠溶分咀嚼泡腾"
          u"人参当归川芎白芍茯苓党参红花丹桃仁柴胡桂枝麻杏石膏知母半夏陈皮枳实厚朴生姜大枣"_s;
    return pool;
}

/** A small generator of its own, so the catalogue is the same on every run and every machine. */
quint32 mix(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

} // namespace

QString namedMedicine(int i)
{
    const quint32 seed = quint32(i % distinctNames);
    const QString& pool = characters();
    const int length = 2 + int(mix(seed) % 6);
    QString name;
    for (int c = 0; c < length; ++c)
        name += pool.at(int(mix(seed * 31U + quint32(c) * 7919U + 1U) % quint32(pool.size())));
    if (seed % 20 == 0)
        name.insert(int(mix(seed + 5U) % quint32(length)), u"B%1"_s.arg(seed % 13));
    return name;
}

bool fillNamedCatalogue(platform::Database& db)
{
    platform::Transaction transaction(db);
    QSqlQuery insert = db.prepare(
        u"INSERT INTO \"药品\" (\"名称\",\"代号\",\"生产厂家\",\"规格\",\"单位\",\"单价\",\"进价\",\"类型\") "
        u"VALUES (?,?,?,?,?,?,?,?)"_s);
    static const QStringList types { u"片剂"_s, u"针剂"_s, u"器械"_s, u"其它"_s };
    for (int i = 0; i < medicineCount; ++i) {
        insert.addBindValue(namedMedicine(i));
        // numbers, as most wholesalers' codes are: a letter typed is never the start of one
        insert.addBindValue(u"%1"_s.arg(i, 6, 10, QLatin1Char('0')));
        insert.addBindValue(u"%1制药厂"_s.arg(namedMedicine(int(mix(quint32(i)) % 500)).left(2)));
        insert.addBindValue(u"0.25g*24"_s);
        insert.addBindValue(u"盒"_s);
        insert.addBindValue(u"%1.50"_s.arg(i % 90 + 1));
        insert.addBindValue(u"%1.00"_s.arg(i % 90 + 1));
        insert.addBindValue(types.at(i % types.size()));
        if (!insert.exec())
            return false;
    }
    return transaction.commit();
}

} // namespace bench
