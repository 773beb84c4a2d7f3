#pragma once

#include "framework/status.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

// One prepared SQLite statement, finalised when it goes; binds count from 1, columns from 0.
class RecordStatement {
public:
    RecordStatement(sqlite3* db, const char* sql)
        : m_db(db)
    {
        m_ok = sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) == SQLITE_OK;
    }
    ~RecordStatement() { sqlite3_finalize(m_statement); }
    RecordStatement(const RecordStatement&) = delete;
    RecordStatement& operator=(const RecordStatement&) = delete;

    RecordStatement& Bind(int index, int64_t value)
    {
        Check(sqlite3_bind_int64(m_statement, index, value));
        return *this;
    }
    RecordStatement& Bind(int index, double value)
    {
        Check(sqlite3_bind_double(m_statement, index, value));
        return *this;
    }
    RecordStatement& Bind(int index, const std::string& text)
    {
        Check(sqlite3_bind_text(
            m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
        return *this;
    }
    RecordStatement& BindBlob(int index, const std::string& bytes)
    {
        Check(sqlite3_bind_blob(
            m_statement, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
        return *this;
    }
    // SQLITE_ROW or SQLITE_DONE; anything else is kept as the statement's failure.
    int Step()
    {
        if (!m_ok)
            return SQLITE_ERROR;
        const int stepped = sqlite3_step(m_statement);
        if (stepped != SQLITE_ROW && stepped != SQLITE_DONE)
            m_ok = false;
        return stepped;
    }
    // Runs a statement that returns no rows, then readies it for the next binds.
    bool Run()
    {
        const bool done = Step() == SQLITE_DONE;
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
        return done && m_ok;
    }
    // Readies a query for the next binds.
    void Reset()
    {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    int64_t Int(int column) const { return sqlite3_column_int64(m_statement, column); }
    double Real(int column) const { return sqlite3_column_double(m_statement, column); }
    std::string Text(int column) const
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(m_statement, column)))
                    : std::string();
    }
    // Valid until the statement steps again or is reset.
    std::string_view Blob(int column) const
    {
        const void* bytes = sqlite3_column_blob(m_statement, column);
        return bytes ? std::string_view(static_cast<const char*>(bytes),
                   static_cast<size_t>(sqlite3_column_bytes(m_statement, column)))
                     : std::string_view();
    }
    bool ok() const { return m_ok; }
    std::string Error() const { return sqlite3_errmsg(m_db); }

private:
    void Check(int result)
    {
        if (result != SQLITE_OK)
            m_ok = false;
    }
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
    bool m_ok = false;
};

struct Resolution;
// The resolution whose item, machine value, chosen value, how, user, time and reason are
// the row's columns from `first` on.
Resolution ResolutionFromRow(const RecordStatement& row, int first = 0);
