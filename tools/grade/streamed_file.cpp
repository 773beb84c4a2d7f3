#include "streamed_file.h"

#include <QString>

StreamedFile::StreamedFile(const std::string& path)
    : m_path(path)
    , m_file(QString::fromStdString(path))
{
}

FileWriteResult StreamedFile::Open()
{
    if (!m_file.open(QIODevice::WriteOnly))
        return { false, "cannot open " + m_path + " for writing: " + m_file.errorString().toStdString() };
    return {};
}

void StreamedFile::Append(std::string_view bytes)
{
    const auto size = static_cast<qint64>(bytes.size());
    if (!m_writeFailed && m_file.write(bytes.data(), size) != size)
        m_writeFailed = true;
}

FileWriteResult StreamedFile::Commit()
{
    // The flush is checked here: commit() does not notice a buffered write that
    // fails (disk full), and would put a cut-short file in place of the old one.
    if (m_writeFailed || !m_file.flush()) {
        const std::string reason = m_file.errorString().toStdString();
        m_file.cancelWriting();
        return { false, "cannot write " + m_path + ": " + reason };
    }
    if (!m_file.commit())
        return { false, "cannot save " + m_path + ": " + m_file.errorString().toStdString() };
    return {};
}
