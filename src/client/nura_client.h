#pragma once

#include "client/nura_handlers.h"
#include "client/nura_record.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <memory>

// One conversation with the library server. Callers hold only this interface
// and never learn which transport carries it: the binary TCP protocol or JSON
// over HTTPS. The concrete client connects and greets the server in its
// constructor; a failure leaves it in the error state instead of throwing.
//
// Operations never throw. Their results take five shapes: a record (null on
// any failure), the caller's answer (count 0 on any failure), an out text
// (the error text when the client is in the error state), a bool for file
// transfers, or nothing. Failures also go to ErrorHandler while the operation
// is still running, and the handler may call Reconnect at once; operations
// that are safe to repeat then send their request again.
//
// The error state is sticky: once HasError is true every operation returns
// its empty result at once, without touching the network, until Reconnect
// succeeds.
//
// The operations are declared in the server's slot order; the plain arguments
// (s1, i1, ...) pass to the server uninterpreted.
class TNuraClient
{
public:
    TNuraClient(TTextHandler onError, TTextHandler onMessage, const QString& clientIdentification);
    TNuraClient(const TNuraClient&) = delete;
    TNuraClient& operator=(const TNuraClient&) = delete;

    // Close: says goodbye to the server and ends the connection.
    virtual ~TNuraClient();
    virtual void Reconnect() = 0;
    virtual void Hello(bool reconnecting, bool quiet) = 0;

    virtual TNuraRecordPtr GetEntry(qint32 i1, qint32 i2, const QString& s1, qint32 i3) = 0;
    virtual TNuraRecordPtr GetFirstEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                         qint32 i3) = 0;
    virtual TNuraRecordPtr GetNextEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                        qint32 i3) = 0;
    virtual TNuraRecordPtr GetLastEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                        qint32 i3) = 0;
    virtual TNuraRecordPtr GetPrevEntry(qint32 i1, qint32 i2, const QString& s1, const QString& s2,
                                        qint32 i3) = 0;
    virtual void SetServerString(const QString& s1, QString& text) = 0;
    virtual void GetServerStrings(QString& value, QString& status) = 0;
    virtual TNuraRecordPtr GetCollection(const QString& s1) = 0;
    virtual TNuraRecordPtr RemoveCollection(qint32 i1) = 0;
    virtual void CollectionSense(qint32 i1, QString& text) = 0;

    // Report output: streamed to a file, or into a text (8-bit text decoded
    // as the code page, like the report files).
    virtual bool ReportCollection(qint32 i1, qint32 i2, const QString& file,
                                  const QString& params) = 0;
    virtual bool ReportList(qint32 i1, const QString& s1, const QString& file,
                            const QString& params) = 0;
    virtual bool ReportProcedure(qint32 reportNo, const QString& params, const QString& file) = 0;
    virtual void ReportCollectionText(qint32 i1, qint32 i2, QString& text,
                                      const QString& params) = 0;
    virtual void ReportListText(qint32 i1, const QString& s1, QString& text,
                                const QString& params) = 0;
    virtual void ReportProcedureText(qint32 reportNo, const QString& params, QString& text) = 0;
    virtual void Programm(const QString& s1, const QString& s2, QString& text,
                          const QString& s3) = 0;
    virtual void DefaultParams(const QString& s1, QString& text) = 0;

    // Files on the server.
    virtual bool FileGet(const QString& name, const QString& file, TProgressHandler progress) = 0;
    virtual void FileQuery(const QString& name, QString& text) = 0;
    virtual bool FilePut(const QString& file, const QString& name, TProgressHandler progress) = 0;

    // Blobs. Byte contents travel as QByteArray.
    virtual void BlobStructure(const QString& s1, QString& text) = 0;
    virtual void BlobList(const QString& s1, QString& text) = 0;
    virtual bool BlobGet(const QString& s1, const QString& s2, TProgressHandler progress,
                         const QString& file) = 0;
    virtual void BlobGetProtected(const QString& s1, const QString& s2, QString& status,
                                  TProgressHandler progress, const QString& s3,
                                  const QString& file) = 0;
    virtual void BlobGetText(const QString& s1, const QString& s2, QByteArray& data,
                             TProgressHandler progress) = 0;
    virtual void BlobGetProtectedText(const QString& s1, const QString& s2, QByteArray& data,
                                      QString& status, TProgressHandler progress,
                                      const QString& s3) = 0;
    virtual void BlobAdd(const QString& s1, const QString& file, QString& text,
                         TProgressHandler progress) = 0;
    virtual void BlobAddText(const QString& s1, const QString& s2, QString& text,
                             TProgressHandler progress, const QByteArray& data) = 0;
    virtual void BlobSaveAs(const QString& s1, const QString& s2, QString& text,
                            TProgressHandler progress, const QString& file) = 0;
    virtual void BlobDelete(const QString& s1, const QString& s2, QString& text) = 0;

    virtual TNuraRecordPtr GetStatusA() = 0;
    virtual TNuraRecordPtr GetStatusB() = 0;
    virtual TNuraRecordPtr GetStatusC() = 0;
    virtual TNuraRecordPtr GetStatus() = 0;
    virtual void Command(const QString& s1, QString& text) = 0;
    virtual void CommandPair(const QString& s1, QString& first, QString& second) = 0;

    // Deleting and scontrum.
    virtual void DeletingMark(const QString& s1, QChar ch, QString& text) = 0;
    virtual void DeletingSelect(const QString& s1, QString& text) = 0;
    virtual void DeletingCancel(const QString& s1, QString& text) = 0;
    virtual void DeletingProtocol(QString& s2, const QString& s1, QString& text) = 0;
    virtual void DeletingCancelProtocol(const QString& s1, QString& text) = 0;
    virtual void DeletingDefaults(const QString& s1, bool& flag, QString& text, QString& s2,
                                  QString& s3) = 0;
    virtual void DeletingDefaultsEx(const QString& s1, bool& flag, QString& text, qint32& number1,
                                    qint32& number2, QString& s2, QString& s3) = 0;
    virtual void DeletingDo(const QString& s1, const QString& s2, QString& text, qint32 i1,
                            qint32 i2) = 0;
    virtual void DeletingBarcode(const QString& s1, QString& value, QString& text) = 0;
    virtual void ScontrumMark(quint8 b1, const QString& s1, QString& text) = 0;
    virtual void ScontrumHole(quint8 b1, const QString& s1, QString& text) = 0;

    // Login state.
    virtual void Login(const QString& user, const QString& password, QString& error,
                       bool reconnecting, const QString& requiredRight) = 0;
    virtual void ChangePassword(const QString& newPassword, QString& error) = 0;
    virtual void Logout() = 0;
    virtual void Ping(const QString& text, QString& error) = 0;
    // A new client to another address with the same handlers and, when this
    // one is logged in, the same user.
    virtual std::unique_ptr<TNuraClient> Duplicate(const QString& address, qint32 port) = 0;

    // Catalog records.
    virtual void GetEpr(const QString& s1, TAnswer& answer) = 0;
    virtual void GetAct(const QString& s1, TAnswer& answer) = 0;
    virtual void NewRecord(const QString& s1, TAnswer& answer) = 0;
    virtual void OpenRecord(const QString& s1, TAnswer& answer) = 0;
    virtual void LeaveRecord(const QString& s1, TAnswer& answer) = 0;
    virtual void SaveRecord(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void CheckRecord(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void CheckRecordSingle(const QString& s1, TAnswer& answer) = 0;
    virtual void Help(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void SaveHelp(const QString& s1, const QString& s2, TAnswer& answer,
                          const QString& s3) = 0;
    virtual void UpdateCollection(qint32 i1, const QString& s1, TAnswer& answer) = 0;
    virtual void UpdateList(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void RecordSignal(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void Booking(const QString& s1, QString& text) = 0;

    // Circulation: readers, loans, reservations, payments.
    virtual void GetPersonFormular(TAnswer& answer) = 0;
    virtual void OpenPerson(const QString& s1, TAnswer& answer) = 0;
    virtual void NewPerson(const QString& s1, TAnswer& answer) = 0;
    virtual void LeavePerson(const QString& s1, TAnswer& answer) = 0;
    virtual void DeletePerson(const QString& s1, TAnswer& answer) = 0;
    virtual void PersonQuery31(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void PersonQuery2(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void PersonQuery19(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void PersonQuery10(const QString& s1, TAnswer& answer) = 0;
    virtual void PersonQuery6(const QString& s1, TAnswer& answer) = 0;
    virtual void PersonQuery29(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void PersonQuery26(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void PersonQuery25(const QString& s1, TAnswer& answer) = 0;
    virtual void Lend(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3) = 0;
    virtual void OperationDate(const QString& s1, const QString& s2, TAnswer& answer,
                               const QString& s3) = 0;
    virtual void ReturnItem(const QString& s1, TAnswer& answer) = 0;
    virtual void ReturnBad(const QString& s1, const QString& s2, TAnswer& answer,
                           const QString& s3) = 0;
    virtual void ReturnStore(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void Reserve(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void ChangeReservation(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void DeleteReservation(const QString& s1, TAnswer& answer) = 0;
    virtual void Prolong(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void SetReservationState(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void DivertReservation(const QString& s1, qint16 n, TAnswer& answer, const QString& s2,
                                   const QString& s3) = 0;
    virtual void Book(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3) = 0;
    virtual void ProlongBooking(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void DeleteBooking(const QString& s1, TAnswer& answer) = 0;
    virtual void ChangePayment(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void Money(const QString& s1, const QString& s2, TAnswer& answer, const QString& s3,
                       const QString& s4, const QString& s5, const QString& s6) = 0;
    virtual void Circulation23(TAnswer& answer) = 0;
    virtual void SendMonit(const QString& s1, const QString& s2, TAnswer& answer) = 0;
    virtual void GetOptions(TAnswer& answer) = 0;
    virtual void SetOptions(const QString& s1, TAnswer& answer) = 0;
    virtual void Circulation32(const QString& s1, const QString& s2, TAnswer& answer,
                               const QString& s3, const QString& s4) = 0;

    // Reading-room visits.
    virtual void Registry(const QString& s1, qint32 i1, TAnswer& answer) = 0;
    virtual void GetRegistry(const QString& s1, TAnswer& answer) = 0;

    virtual bool HasError() const = 0;
    virtual QString ErrorText() const = 0;
    virtual bool WasReconnected() const = 0;
    virtual bool IsUtf8() const = 0;

    // State both transports share.
    bool LoggedIn() const { return loggedIn; }
    const QString& Rights() const { return rights; }
    const QString& LoginInfo() const { return loginInfo; }
    const QString& ServerDescription() const { return serverDescription; }
    const QString& UserName() const { return userName; }
    const QString& LoginNotice() const { return loginNotice; }
    const QString& Identification() const { return identification; }

    TTextHandler ErrorHandler() const { return errorHandler; }
    TTextHandler MessageHandler() const { return messageHandler; }
    void SetErrorHandler(TTextHandler handler);
    void SetMessageHandler(TTextHandler handler) { messageHandler = handler; }

protected:
    TTextHandler messageHandler;
    TTextHandler errorHandler;
    bool loggedIn = false;
    QString rights;
    QString loginInfo;
    QString serverDescription;
    QString userName;
    QString loginNotice;
    QString identification;
};
