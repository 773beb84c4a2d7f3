#include "answerkey/answer_key_file.h"

#include <QFile>
#include <QString>

namespace
{

// One byte per answer, so every question keeps its own line; a line-end byte
// cannot live inside a line and is written as no answer.
std::string AnswerLine(const std::string& answer)
{
    std::string line;
    if (!answer.empty() && answer.front() != '\r' && answer.front() != '\n')
        line += answer.front();
    return line + "  \r\n";
}

void SkipByteOrderMark(QFile& file)
{
    if (file.peek(3) == QByteArray("\xEF\xBB\xBF"))
        file.skip(3);
}

// Consumes the rest of the current line, its line end included.
void SkipRestOfLine(QFile& file)
{
    char c = 0;
    while (c != '\n' && file.getChar(&c)) { }
}

// The first character of the next line, '\n' for an empty line; false at the end of the file.
bool ReadLineStart(QFile& file, char& first)
{
    if (!file.getChar(&first))
        return false;
    if (first == '\n')
        return true;
    char next = 0;
    if (first == '\r' && file.peek(&next, 1) == 1 && next == '\n')
        first = '\n';
    SkipRestOfLine(file);
    return true;
}

} // namespace

FileWriteResult WriteAnswerKeyFile(const std::string& path, const AnswerList& answers)
{
    std::string bytes;
    for (const std::string& answer : answers)
        bytes += AnswerLine(answer);
    return WriteFileSafely(path, bytes);
}

bool ReadAnswerKeyFile(const std::string& path, AnswerList& answers)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SkipByteOrderMark(file);
    // Filled aside so a read error leaves the caller's answers as they were.
    AnswerList read = answers;
    char first = 0;
    for (std::string& answer : read) {
        if (!ReadLineStart(file, first))
            break; // a short file leaves the remaining questions as they were
        if (first == '\n' || first == ' ')
            answer.clear(); // the writer's line for a question without an answer
        else if (first != '0')
            answer.assign(1, first);
    }
    if (file.error() != QFileDevice::NoError)
        return false;
    answers = read;
    return true;
}
