#include "framework/safe_file_write.h"

#include <QSaveFile>
#include <QString>

FileWriteResult WriteFileSafely(const std::string& path, std::string_view bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return {false, "cannot open " + path + " for writing: " + file.errorString().toStdString()};
    const auto size = static_cast<qint64>(bytes.size());
    // The flush is checked here: commit() does not notice a buffered write that
    // fails (disk full), and would put a cut-short file in place of the old one.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return {false, "cannot write " + path + ": " + reason};
    }
    if (!file.commit())
        return {false, "cannot save " + path + ": " + file.errorString().toStdString()};
    return {};
}
