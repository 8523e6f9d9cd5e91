#pragma once

#include "client/nura_client.h"
#include "client/request_item.h"

#include <QByteArray>
#include <QString>

struct DownloadSink;

// The operations as both transports share them: which items each request
// carries, in the order the server reads them, and how its reply is read.
// A transport supplies the few primitives below: one request with a count
// reply, a record reply, a download and an upload. The label of a request
// names the operation in the HTTPS protocol; the TCP protocol has no use for
// it.
class TRequestNuraClient : public TNuraClient
{
public:
    using TNuraClient::TNuraClient;

    TNuraRecordPtr GetEntry(qint32 i1, qint32 i2, const QString& s1, qint32 i3) override;
    TNuraRecordPtr GetFirstEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                 qint32 i3) override;
    TNuraRecordPtr GetNextEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                qint32 i3) override;
    TNuraRecordPtr GetLastEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                qint32 i3) override;
    TNuraRecordPtr GetPrevEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                qint32 i3) override;
    void SetServerString(const QString& s1, QString& text) override;
    void GetServerStrings(QString& value, QString& status) override;
    TNuraRecordPtr GetCollection(const QString& s1) override;
    TNuraRecordPtr RemoveCollection(qint32 i1) override;
    void CollectionSense(qint32 i1, QString& text) override;

    bool ReportCollection(qint32 i1, qint32 i2, const QString& file,
                          const QString& params) override;
    bool ReportList(qint32 i1, const QString& s1, const QString& file,
                    const QString& params) override;
    bool ReportProcedure(qint32 reportNo, const QString& params, const QString& file) override;
    void ReportCollectionText(qint32 i1, qint32 i2, QString& text, const QString& params) override;
    void ReportListText(qint32 i1, const QString& s1, QString& text,
                        const QString& params) override;
    void ReportProcedureText(qint32 reportNo, const QString& params, QString& text) override;
    void Programm(const QString& s1, const QString& s2, QString& text, const QString& s3) override;
    void DefaultParams(const QString& s1, QString& text) override;

    bool FileGet(const QString& name, const QString& file, TProgressHandler progress) override;
    void FileQuery(const QString& name, QString& text) override;
    bool FilePut(const QString& file, const QString& name, TProgressHandler progress) override;

    void BlobStructure(const QString& s1, QString& text) override;
    void BlobList(const QString& s1, QString& text) override;
    bool BlobGet(const QString& s1, const QString& s2, TProgressHandler progress,
                 const QString& file) override;
    void BlobGetProtected(const QString& s1, const QString& s2, QString& status,
                          TProgressHandler progress, const QString& s3,
                          const QString& file) override;
    void BlobGetText(const QString& s1, const QString& s2, QByteArray& data,
                     TProgressHandler progress) override;
    void BlobGetProtectedText(const QString& s1, const QString& s2, QByteArray& data,
                              QString& status, TProgressHandler progress,
                              const QString& s3) override;
    void BlobAdd(const QString& s1, const QString& file, QString& text,
                 TProgressHandler progress) override;
    void BlobAddText(const QString& s1, const QString& s2, QString& text, TProgressHandler progress,
                     const QByteArray& data) override;
    void BlobSaveAs(const QString& s1, const QString& s2, QString& text, TProgressHandler progress,
                    const QString& file) override;
    void BlobDelete(const QString& s1, const QString& s2, QString& text) override;

    TNuraRecordPtr GetStatusA() override;
    TNuraRecordPtr GetStatusB() override;
    TNuraRecordPtr GetStatusC() override;
    TNuraRecordPtr GetStatus() override;
    void Command(const QString& s1, QString& text) override;
    void CommandPair(const QString& s1, QString& first, QString& second) override;

    void DeletingMark(const QString& s1, QChar ch, QString& text) override;
    void DeletingSelect(const QString& s1, QString& text) override;
    void DeletingCancel(const QString& s1, QString& text) override;
    void DeletingProtocol(QString& s2, const QString& s1, QString& text) override;
    void DeletingCancelProtocol(const QString& s1, QString& text) override;
    void DeletingDefaults(const QString& s1, bool& flag, QString& text, QString& s2,
                          QString& s3) override;
    void DeletingDefaultsEx(const QString& s1, bool& flag, QString& text, qint32& number1,
                            qint32& number2, QString& s2, QString& s3) override;
    void DeletingDo(const QString& s1, const QString& s2, QString& text, qint32 i1,
                    qint32 i2) override;
    void DeletingBarcode(const QString& s1, QString& value, QString& text) override;
    void ScontrumMark(quint8 b1, const QString& s1, QString& text) override;
    void ScontrumHole(quint8 b1, const QString& s1, QString& text) override;

    void Login(const QString& user, const QString& password, QString& error, bool reconnecting,
               const QString& requiredRight) override;
    void ChangePassword(const QString& newPassword, QString& error) override;
    void Logout() override;
    void Ping(const QString& text, QString& error) override;

    void GetEpr(const QString& s1, TAnswer& answer) override;
    void GetAct(const QString& s1, TAnswer& answer) override;
    void NewRecord(const QString& s1, TAnswer& answer) override;
    void OpenRecord(const QString& s1, TAnswer& answer) override;
    void LeaveRecord(const QString& s1, TAnswer& answer) override;
    void SaveRecord(const QString& s1, const QString& s2, TAnswer& answer) override;
    void CheckRecord(const QString& s1, const QString& s2, TAnswer& answer) override;
    void CheckRecordSingle(const QString& s1, TAnswer& answer) override;
    void Help(const QString& s1, const QString& s2, TAnswer& answer) override;
    void SaveHelp(const QString& s1, const QString& s2, TAnswer& answer,
                  const QString& s3) override;
    void UpdateCollection(qint32 i1, const QString& s1, TAnswer& answer) override;
    void UpdateList(const QString& s1, const QString& s2, TAnswer& answer) override;
    void RecordSignal(const QString& s1, const QString& s2, TAnswer& answer) override;

    void GetPersonFormular(TAnswer& answer) override;
    void OpenPerson(const QString& s1, TAnswer& answer) override;
    void NewPerson(const QString& s1, TAnswer& answer) override;
    void LeavePerson(const QString& s1, TAnswer& answer) override;
    void DeletePerson(const QString& s1, TAnswer& answer) override;
    void PersonQuery31(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery2(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery19(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery10(const QString& s1, TAnswer& answer) override;
    void PersonQuery6(const QString& s1, TAnswer& answer) override;
    void PersonQuery29(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery26(const QString& s1, const QString& s2, TAnswer& answer) override;
    void PersonQuery25(const QString& s1, TAnswer& answer) override;
    void Lend(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3) override;
    void OperationDate(const QString& s1, const QString& s2, TAnswer& answer,
                       const QString& s3) override;
    void ReturnItem(const QString& s1, TAnswer& answer) override;
    void ReturnBad(const QString& s1, const QString& s2, TAnswer& answer,
                   const QString& s3) override;
    void ReturnStore(const QString& s1, const QString& s2, TAnswer& answer) override;
    void Reserve(const QString& s1, const QString& s2, TAnswer& answer) override;
    void ChangeReservation(const QString& s1, const QString& s2, TAnswer& answer) override;
    void DeleteReservation(const QString& s1, TAnswer& answer) override;
    void Prolong(const QString& s1, const QString& s2, TAnswer& answer) override;
    void SetReservationState(const QString& s1, const QString& s2, TAnswer& answer) override;
    void DivertReservation(const QString& s1, qint16 n, TAnswer& answer, const QString& s2,
                           const QString& s3) override;
    void Book(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3) override;
    void ProlongBooking(const QString& s1, const QString& s2, TAnswer& answer) override;
    void DeleteBooking(const QString& s1, TAnswer& answer) override;
    void ChangePayment(const QString& s1, const QString& s2, TAnswer& answer) override;
    void Money(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3,
               const QString& s4, const QString& s5, const QString& s6) override;
    void Circulation23(TAnswer& answer) override;
    void SendMonit(const QString& s1, const QString& s2, TAnswer& answer) override;
    void GetOptions(TAnswer& answer) override;
    void SetOptions(const QString& s1, TAnswer& answer) override;
    void Circulation32(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3,
                       const QString& s4) override;

    void Registry(const QString& s1, qint32 i1, TAnswer& answer) override;
    void GetRegistry(const QString& s1, TAnswer& answer) override;

protected:
    using Items = RequestItems;
    static RequestItem B(quint8 value) { return {RequestItem::Byte, value, QString()}; }
    static RequestItem I(qint32 value) { return {RequestItem::Integer, value, QString()}; }
    static RequestItem S(const QString& text) { return {RequestItem::Text, 0, text}; }

    // Whether an operation sends its request again after the error handler
    // reconnected: not for those whose first attempt may already have changed
    // something on the server.
    enum Repeat : bool
    {
        Once = false,
        Repeated = true
    };
    // Where the error of a reply goes.
    enum class Notify : unsigned char
    {
        Error,
        Message,
        Silent
    };
    // A status text in front of a download: none, or the protected forms'
    // status (a long string in front of a file, a plain one in front of bytes
    // on TCP; the first result on HTTPS).
    enum class Status : unsigned char
    {
        None,
        Long,
        Plain
    };

    // ---- What a transport supplies ----

    // One request with a count-and-strings reply, read into m_lastAnswer with
    // the error text in m_lastError ("" when the reply was good). False when
    // the client was already in the error state: nothing is sent, and
    // m_lastError is the error text. The reconnecting form is the one used
    // while the connection is being rebuilt: it leaves the keep-alive alone
    // and never repeats.
    virtual bool Ask(const char* label, Items items, Repeat repeat = Repeated,
                     Notify where = Notify::Error, bool reconnecting = false) = 0;
    // A request whose reply is a record: null for an empty reply or an error.
    virtual TNuraRecordPtr RecordRequest(const char* label, Items items, qint32 key) = 0;
    // A download into `sink`; true when it is complete. `status` receives the
    // status text of the protected forms.
    virtual bool Fetch(const char* label, Items items, Repeat repeat, DownloadSink& sink,
                       TProgressHandler progress, Status form, QString* status) = 0;
    // Sends the request with the file (or `bytes` when `file` is null) as an
    // upload and reads the count reply into m_lastAnswer. False when the
    // client was already in the error state. `unreadable` gets a text when
    // the file could not be read; an empty upload went instead.
    virtual bool UploadRequest(const char* label, Items items, const QString* file,
                               const QByteArray& bytes, TProgressHandler progress,
                               QString& unreadable) = 0;
    // The key the server handed out with the login; it scrambles what
    // follows on TCP.
    virtual void UseLoginKey(const QByteArray& key) = 0;
    // A download that cannot start because its local file cannot be made.
    virtual void ReportLocalFileError(const QString& text) const = 0;
    // The fixed text of a program run whose reply has an unexpected count.
    virtual const char* ProgrammReplyError() const = 0;

    // ---- Shared reading rules ----

    void Deliver(Notify where, const QString& text) const;
    void AnswerRequest(const char* label, Items items, TAnswer& answer, Repeat repeat = Repeated,
                       Notify where = Notify::Error);
    // Reply texts of the out-text operations, from the last answer.
    QString ErrorOr(const char* fallback) const;
    void TextOne(const char* label, Items items, QString& text, const char* fallback);
    void TextOneOrTwo(const char* label, Items items, QString& text, const char* fallback);
    void TextOneFixed(const char* label, Items items, QString& text);
    bool StreamToFile(const char* label, Items items, Repeat repeat, const QString& file,
                      TProgressHandler progress = {}, QString* status = nullptr);
    bool StreamToBytes(const char* label, Items items, Repeat repeat, QByteArray& bytes,
                       TProgressHandler progress = {}, QString* status = nullptr);
    void StreamToText(const char* label, Items items, Repeat repeat, QString& text);
    void UploadText(const char* label, Items items, const QString* file, const QByteArray& bytes,
                    TProgressHandler progress, QString& text, const char* fallback);

    qint32 m_challenge = 0;
    QString m_rememberedPassword;
    TAnswer m_lastAnswer;
    QString m_lastError; // error text of the last reply read into m_lastAnswer
};
