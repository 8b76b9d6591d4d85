#pragma once
// Inserts the content of ResultRecords into a connection whose schema has just been created
// (ResultSchema::create). The caller owns the transaction and the file; on false the cause is
// the connection's error text.

namespace dd_sarvik_2_2 {
namespace store {

class SqliteConnection;
struct ResultRecords;

class RecordInserter {
public:
    explicit RecordInserter(SqliteConnection& connection);

    bool insert(const ResultRecords& records);

private:
    bool insertInfo(const ResultRecords& records);
    bool insertAttributeTables(const ResultRecords& records);
    bool insertLifetimes(const ResultRecords& records);
    bool insertSampleTables(const ResultRecords& records);
    bool insertBandTables(const ResultRecords& records);
    bool insertTimedAttributes(const ResultRecords& records);

    SqliteConnection& m_connection;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
