#include "Registry.h"

#include "KnownFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <vector>

namespace Registry {

namespace {

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kProgramFilesValue[] = "ProgramFilesDir";

struct Value {
    QString name;
    QString raw; // the text after "=" as stored
    bool isText;
    QString text; // unescaped, when isText
};

struct Key {
    QString name;
    std::vector<Value> values;
    QStringList otherLines; // lines we cannot read are kept as they are
};

struct Store {
    QStringList header; // lines before the first key
    std::vector<Key> keys;
};

QString Escape(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    for (QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

// Reads a quoted text starting at `pos` (at the opening quote). Returns false when the quote
// is not closed; `end` is the index after the closing quote.
bool ReadQuoted(const QString& line, int pos, QString* text, int* end) {
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return false;
    QString out;
    for (int i = pos + 1; i < line.size(); ++i) {
        QChar c = line[i];
        if (c == QLatin1Char('"')) {
            *text = out;
            *end = i + 1;
            return true;
        }
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            QChar next = line[++i];
            out += next == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                   : next == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                              : next;
        } else {
            out += c;
        }
    }
    return false;
}

bool ParseValue(const QString& line, Value* value) {
    int end = 0;
    QString name;
    if (line.startsWith(QLatin1Char('@'))) {
        end = 1; // the key's default value
    } else if (!ReadQuoted(line, 0, &name, &end)) {
        return false;
    }
    if (end >= line.size() || line[end] != QLatin1Char('='))
        return false;
    value->name = name;
    value->raw = line.mid(end + 1);
    int textEnd = 0;
    value->isText = ReadQuoted(value->raw, 0, &value->text, &textEnd) &&
                    value->raw.mid(textEnd).trimmed().isEmpty();
    if (!value->isText)
        value->text.clear();
    return true;
}

Store Load() {
    Store store;
    QFile file(StorePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return store;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    Key* current = nullptr;
    while (!in.atEnd()) {
        QString line = in.readLine();
        QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            store.keys.push_back(Key{trimmed.mid(1, trimmed.size() - 2), {}, {}});
            current = &store.keys.back();
            continue;
        }
        if (current == nullptr) {
            store.header << line;
            continue;
        }
        Value value;
        if (ParseValue(trimmed, &value))
            current->values.push_back(value);
        else if (!trimmed.isEmpty())
            current->otherLines << line;
    }
    return store;
}

int Save(const Store& store) {
    QString path = StorePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return kWriteFailed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return kWriteFailed;
    QString text;
    for (const QString& line : store.header)
        text += line + QLatin1Char('\n');
    for (const Key& key : store.keys) {
        text += QLatin1Char('[') + key.name + QStringLiteral("]\n");
        for (const Value& value : key.values) {
            text += value.name.isEmpty() ? QStringLiteral("@")
                                         : QLatin1Char('"') + Escape(value.name) + QLatin1Char('"');
            text += QLatin1Char('=') + value.raw + QLatin1Char('\n');
        }
        for (const QString& line : key.otherLines)
            text += line + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return kWriteFailed;
    return kOk;
}

bool IsEmpty(const Store& store) {
    if (!store.keys.empty())
        return false;
    for (const QString& line : store.header)
        if (!line.trimmed().isEmpty())
            return false;
    return true;
}

// A registry that holds nothing leaves no file behind, and its folder goes too when nothing
// else is in it.
int RemoveStore() {
    const QString path = StorePath();
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return kWriteFailed;
    QDir().rmdir(QFileInfo(path).absolutePath());
    return kOk;
}

// Key names are compared without regard to case and to doubled or outer separators.
QString Normalise(const QString& key) {
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('\\'));
}

Key* FindKey(Store& store, const QString& key) {
    QString wanted = Normalise(key);
    for (Key& k : store.keys)
        if (Normalise(k.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

Value* FindValue(Key& key, const QString& name) {
    for (Value& v : key.values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

} // namespace

QString StorePath() {
    return KnownFolders::Configuration() + QStringLiteral("/Vorn Company/registry.ini");
}

int QueryRegValue(const QString& key, const QString& name, QString* text) {
    Store store = Load();
    Key* k = FindKey(store, key);
    Value* v = k != nullptr ? FindValue(*k, name) : nullptr;
    if (v == nullptr) {
        if (Normalise(key).compare(QLatin1String(kCurrentVersionKey), Qt::CaseInsensitive) == 0 &&
            name.compare(QLatin1String(kProgramFilesValue), Qt::CaseInsensitive) == 0) {
            *text = KnownFolders::ProgramFiles();
            return kOk;
        }
        return kNotFound;
    }
    if (!v->isText)
        return kNotText;
    *text = v->text;
    return kOk;
}

int SetRegValue(const QString& key, const QString& name, const QString& text) {
    Store store = Load();
    Key* k = FindKey(store, key);
    if (k == nullptr) {
        store.keys.push_back(Key{Normalise(key), {}, {}});
        k = &store.keys.back();
    }
    QString raw = QLatin1Char('"') + Escape(text) + QLatin1Char('"');
    if (Value* v = FindValue(*k, name))
        *v = Value{v->name, raw, true, text};
    else
        k->values.push_back(Value{name, raw, true, text});
    return Save(store);
}

int CreateRegKey(const QString& key) {
    Store store = Load();
    if (FindKey(store, key) != nullptr)
        return kOk;
    store.keys.push_back(Key{Normalise(key), {}, {}});
    return Save(store);
}

int DeleteRegKey(const QString& key) {
    Store store = Load();
    QString wanted = Normalise(key);
    for (auto it = store.keys.begin(); it != store.keys.end(); ++it) {
        if (Normalise(it->name).compare(wanted, Qt::CaseInsensitive) == 0) {
            store.keys.erase(it);
            return IsEmpty(store) ? RemoveStore() : Save(store);
        }
    }
    return kNotFound;
}

} // namespace Registry
