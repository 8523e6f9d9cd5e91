#include "cli/cli_call_operations.h"

#include "cli/cli_io.h"
#include "client/nura_client.h"

#include <limits>

namespace {

using C = TNuraClient;
using A = CallArguments;
using O = CallOutput;

bool ToInteger(const QString& text, qint64 low, qint64 high, qint64& value)
{
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok && value >= low && value <= high;
}

void Print(O& o, const TNuraRecordPtr& record)
{
    if (!record) {
        o.Line(QStringLiteral("0"));
        return;
    }
    o.Line(QString::number(record->count));
    for (int i = 0; i < record->count; ++i)
        o.Line(record->fields[static_cast<size_t>(i)]);
}

void Print(O& o, const TAnswer& answer)
{
    o.Line(QString::number(answer.count));
    for (int i = 0; i < answer.count && i < kMaxReplyFields; ++i)
        o.Line(answer.fields[static_cast<size_t>(i)]);
}

// Runs an operation that fills an answer and prints it.
template <typename Call> void WithAnswer(O& o, Call call)
{
    TAnswer answer;
    call(answer);
    Print(o, answer);
}

// Runs an operation with one out text and prints it.
template <typename Call> void WithText(O& o, Call call)
{
    QString text;
    call(text);
    o.Line(text);
}

const std::vector<CallOperation> kOperations = {
    {"Reconnect", "", [](C& c, const A&, O&) { c.Reconnect(); }},
    {"Hello", "i:reconnecting i:quiet",
     [](C& c, const A& a, O&) { c.Hello(a.Int(0) != 0, a.Int(1) != 0); }},
    {"GetEntry", "i:i1 i:i2 s:s1 i:i3",
     [](C& c, const A& a, O& o) { Print(o, c.GetEntry(a.Int(0), a.Int(1), a.Text(2), a.Int(3))); }},
    {"GetFirstEntry", "i:i1 i:i2 s:s1 s:s2 i:i3",
     [](C& c, const A& a, O& o) {
         Print(o, c.GetFirstEntry(a.Int(0), a.Int(1), a.Text(2), a.Text(3), a.Int(4)));
     }},
    {"GetNextEntry", "i:i1 i:i2 s:s1 s:s2 i:i3",
     [](C& c, const A& a, O& o) {
         Print(o, c.GetNextEntry(a.Int(0), a.Int(1), a.Text(2), a.Text(3), a.Int(4)));
     }},
    {"GetLastEntry", "i:i1 i:i2 s:s1 s:s2 i:i3",
     [](C& c, const A& a, O& o) {
         Print(o, c.GetLastEntry(a.Int(0), a.Int(1), a.Text(2), a.Text(3), a.Int(4)));
     }},
    {"GetPrevEntry", "i:i1 i:i2 s:s1 s:s2 i:i3",
     [](C& c, const A& a, O& o) {
         Print(o, c.GetPrevEntry(a.Int(0), a.Int(1), a.Text(2), a.Text(3), a.Int(4)));
     }},
    {"SetServerString", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.SetServerString(a.Text(0), t); }); }},
    {"GetServerStrings", "",
     [](C& c, const A&, O& o) {
         QString value;
         QString status;
         c.GetServerStrings(value, status);
         o.Line(value);
         o.Line(status);
     }},
    {"GetCollection", "s:s1", [](C& c, const A& a, O& o) { Print(o, c.GetCollection(a.Text(0))); }},
    {"RemoveCollection", "i:i1",
     [](C& c, const A& a, O& o) { Print(o, c.RemoveCollection(a.Int(0))); }},
    {"CollectionSense", "i:i1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.CollectionSense(a.Int(0), t); }); }},
    {"ReportCollection", "i:i1 i:i2 s:file s:params",
     [](C& c, const A& a, O& o) {
         o.Transfer(c.ReportCollection(a.Int(0), a.Int(1), a.Text(2), a.Text(3)));
     }},
    {"ReportList", "i:i1 s:s1 s:file s:params",
     [](C& c, const A& a, O& o) { o.Transfer(c.ReportList(a.Int(0), a.Text(1), a.Text(2), a.Text(3))); }},
    {"ReportProcedure", "i:reportNo s:params s:file",
     [](C& c, const A& a, O& o) { o.Transfer(c.ReportProcedure(a.Int(0), a.Text(1), a.Text(2))); }},
    {"ReportCollectionText", "i:i1 i:i2 s:params",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.ReportCollectionText(a.Int(0), a.Int(1), t, a.Text(2)); });
     }},
    {"ReportListText", "i:i1 s:s1 s:params",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.ReportListText(a.Int(0), a.Text(1), t, a.Text(2)); });
     }},
    {"ReportProcedureText", "i:reportNo s:params",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.ReportProcedureText(a.Int(0), a.Text(1), t); });
     }},
    {"Programm", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.Programm(a.Text(0), a.Text(1), t, a.Text(2)); });
     }},
    {"DefaultParams", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.DefaultParams(a.Text(0), t); }); }},
    {"FileGet", "s:name s:file",
     [](C& c, const A& a, O& o) { o.Transfer(c.FileGet(a.Text(0), a.Text(1), TProgressHandler())); }},
    {"FileQuery", "s:name",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.FileQuery(a.Text(0), t); }); }},
    {"FilePut", "s:file s:name",
     [](C& c, const A& a, O& o) { o.Transfer(c.FilePut(a.Text(0), a.Text(1), TProgressHandler())); }},
    {"BlobStructure", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.BlobStructure(a.Text(0), t); }); }},
    {"BlobList", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.BlobList(a.Text(0), t); }); }},
    {"BlobGet", "s:s1 s:s2 s:file",
     [](C& c, const A& a, O& o) {
         o.Transfer(c.BlobGet(a.Text(0), a.Text(1), TProgressHandler(), a.Text(2)));
     }},
    {"BlobGetProtected", "s:s1 s:s2 s:s3 s:file",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& status) {
             c.BlobGetProtected(a.Text(0), a.Text(1), status, TProgressHandler(), a.Text(2),
                                a.Text(3));
         });
     }},
    {"BlobGetText", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         QByteArray data;
         c.BlobGetText(a.Text(0), a.Text(1), data, TProgressHandler());
         o.Io().WriteBytes(data);
     }},
    {"BlobGetProtectedText", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         QByteArray data;
         QString status;
         c.BlobGetProtectedText(a.Text(0), a.Text(1), data, status, TProgressHandler(), a.Text(2));
         o.Line(status);
         o.Io().WriteBytes(data);
     }},
    {"BlobAdd", "s:s1 s:file",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.BlobAdd(a.Text(0), a.Text(1), t, TProgressHandler()); });
     }},
    {"BlobAddText", "s:s1 s:s2 s:data",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) {
             c.BlobAddText(a.Text(0), a.Text(1), t, TProgressHandler(), a.Text(2).toUtf8());
         });
     }},
    {"BlobSaveAs", "s:s1 s:s2 s:file",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) {
             c.BlobSaveAs(a.Text(0), a.Text(1), t, TProgressHandler(), a.Text(2));
         });
     }},
    {"BlobDelete", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.BlobDelete(a.Text(0), a.Text(1), t); });
     }},
    {"GetStatusA", "", [](C& c, const A&, O& o) { Print(o, c.GetStatusA()); }},
    {"GetStatusB", "", [](C& c, const A&, O& o) { Print(o, c.GetStatusB()); }},
    {"GetStatusC", "", [](C& c, const A&, O& o) { Print(o, c.GetStatusC()); }},
    {"GetStatus", "", [](C& c, const A&, O& o) { Print(o, c.GetStatus()); }},
    {"Command", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.Command(a.Text(0), t); }); }},
    {"CommandPair", "s:s1",
     [](C& c, const A& a, O& o) {
         QString first;
         QString second;
         c.CommandPair(a.Text(0), first, second);
         o.Line(first);
         o.Line(second);
     }},
    {"DeletingMark", "s:s1 c:ch",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.DeletingMark(a.Text(0), a.Char(1), t); });
     }},
    {"DeletingSelect", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.DeletingSelect(a.Text(0), t); }); }},
    {"DeletingCancel", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.DeletingCancel(a.Text(0), t); }); }},
    {"DeletingProtocol", "s:s2 s:s1",
     [](C& c, const A& a, O& o) {
         QString s2 = a.Text(0);
         QString text;
         c.DeletingProtocol(s2, a.Text(1), text);
         o.Line(text);
         o.Line(s2);
     }},
    {"DeletingCancelProtocol", "s:s1",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.DeletingCancelProtocol(a.Text(0), t); });
     }},
    {"DeletingDefaults", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         bool flag = false;
         QString text;
         QString s2 = a.Text(1);
         QString s3;
         c.DeletingDefaults(a.Text(0), flag, text, s2, s3);
         o.Line(text);
         o.Flag(flag);
         o.Line(s2);
         o.Line(s3);
     }},
    {"DeletingDefaultsEx", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         bool flag = false;
         QString text;
         qint32 number1 = 0;
         qint32 number2 = 0;
         QString s2 = a.Text(1);
         QString s3;
         c.DeletingDefaultsEx(a.Text(0), flag, text, number1, number2, s2, s3);
         o.Line(text);
         o.Flag(flag);
         o.Line(QString::number(number1));
         o.Line(QString::number(number2));
         o.Line(s2);
         o.Line(s3);
     }},
    {"DeletingDo", "s:s1 s:s2 i:i1 i:i2",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.DeletingDo(a.Text(0), a.Text(1), t, a.Int(2), a.Int(3)); });
     }},
    {"DeletingBarcode", "s:s1",
     [](C& c, const A& a, O& o) {
         QString value;
         QString text;
         c.DeletingBarcode(a.Text(0), value, text);
         o.Line(text);
         o.Line(value);
     }},
    {"ScontrumMark", "b:b1 s:s1",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.ScontrumMark(a.Byte(0), a.Text(1), t); });
     }},
    {"ScontrumHole", "b:b1 s:s1",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.ScontrumHole(a.Byte(0), a.Text(1), t); });
     }},
    {"Login", "s:user s:password s:requiredRight",
     [](C& c, const A& a, O& o) {
         WithText(o, [&](QString& t) { c.Login(a.Text(0), a.Text(1), t, false, a.Text(2)); });
     }},
    {"ChangePassword", "s:newPassword",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.ChangePassword(a.Text(0), t); }); }},
    {"Logout", "", [](C& c, const A&, O&) { c.Logout(); }},
    {"Ping", "s:text",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.Ping(a.Text(0), t); }); }},
    {"Duplicate", "s:address i:port",
     [](C& c, const A& a, O& o) {
         const auto copy = c.Duplicate(a.Text(0), a.Int(1));
         o.Transfer(copy && !copy->HasError());
         if (copy && copy->HasError())
             o.Io().Fail(copy->ErrorText());
     }},
    {"GetEpr", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.GetEpr(a.Text(0), r); }); }},
    {"GetAct", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.GetAct(a.Text(0), r); }); }},
    {"NewRecord", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.NewRecord(a.Text(0), r); }); }},
    {"OpenRecord", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.OpenRecord(a.Text(0), r); }); }},
    {"LeaveRecord", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.LeaveRecord(a.Text(0), r); }); }},
    {"SaveRecord", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.SaveRecord(a.Text(0), a.Text(1), r); });
     }},
    {"CheckRecord", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.CheckRecord(a.Text(0), a.Text(1), r); });
     }},
    {"CheckRecordSingle", "s:s1",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.CheckRecordSingle(a.Text(0), r); });
     }},
    {"Help", "s:s1 s:s2",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.Help(a.Text(0), a.Text(1), r); }); }},
    {"SaveHelp", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.SaveHelp(a.Text(0), a.Text(1), r, a.Text(2)); });
     }},
    {"UpdateCollection", "i:i1 s:s1",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.UpdateCollection(a.Int(0), a.Text(1), r); });
     }},
    {"UpdateList", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.UpdateList(a.Text(0), a.Text(1), r); });
     }},
    {"RecordSignal", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.RecordSignal(a.Text(0), a.Text(1), r); });
     }},
    {"Booking", "s:s1",
     [](C& c, const A& a, O& o) { WithText(o, [&](QString& t) { c.Booking(a.Text(0), t); }); }},
    {"GetPersonFormular", "",
     [](C& c, const A&, O& o) { WithAnswer(o, [&](TAnswer& r) { c.GetPersonFormular(r); }); }},
    {"OpenPerson", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.OpenPerson(a.Text(0), r); }); }},
    {"NewPerson", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.NewPerson(a.Text(0), r); }); }},
    {"LeavePerson", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.LeavePerson(a.Text(0), r); }); }},
    {"DeletePerson", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.DeletePerson(a.Text(0), r); }); }},
    {"PersonQuery31", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.PersonQuery31(a.Text(0), a.Text(1), r); });
     }},
    {"PersonQuery2", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.PersonQuery2(a.Text(0), a.Text(1), r); });
     }},
    {"PersonQuery19", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.PersonQuery19(a.Text(0), a.Text(1), r); });
     }},
    {"PersonQuery10", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.PersonQuery10(a.Text(0), r); }); }},
    {"PersonQuery6", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.PersonQuery6(a.Text(0), r); }); }},
    {"PersonQuery29", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.PersonQuery29(a.Text(0), a.Text(1), r); });
     }},
    {"PersonQuery26", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.PersonQuery26(a.Text(0), a.Text(1), r); });
     }},
    {"PersonQuery25", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.PersonQuery25(a.Text(0), r); }); }},
    {"Lend", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.Lend(a.Text(0), a.Text(1), r, a.Text(2)); });
     }},
    {"OperationDate", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.OperationDate(a.Text(0), a.Text(1), r, a.Text(2)); });
     }},
    {"ReturnItem", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.ReturnItem(a.Text(0), r); }); }},
    {"ReturnBad", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.ReturnBad(a.Text(0), a.Text(1), r, a.Text(2)); });
     }},
    {"ReturnStore", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.ReturnStore(a.Text(0), a.Text(1), r); });
     }},
    {"Reserve", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.Reserve(a.Text(0), a.Text(1), r); });
     }},
    {"ChangeReservation", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.ChangeReservation(a.Text(0), a.Text(1), r); });
     }},
    {"DeleteReservation", "s:s1",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.DeleteReservation(a.Text(0), r); });
     }},
    {"Prolong", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.Prolong(a.Text(0), a.Text(1), r); });
     }},
    {"SetReservationState", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.SetReservationState(a.Text(0), a.Text(1), r); });
     }},
    {"DivertReservation", "s:s1 n:n s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) {
             c.DivertReservation(a.Text(0), a.Short(1), r, a.Text(2), a.Text(3));
         });
     }},
    {"Book", "s:s1 s:s2 s:s3",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.Book(a.Text(0), a.Text(1), r, a.Text(2)); });
     }},
    {"ProlongBooking", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.ProlongBooking(a.Text(0), a.Text(1), r); });
     }},
    {"DeleteBooking", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.DeleteBooking(a.Text(0), r); }); }},
    {"ChangePayment", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.ChangePayment(a.Text(0), a.Text(1), r); });
     }},
    {"Money", "s:s1 s:s2 s:s3 s:s4 s:s5 s:s6",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) {
             c.Money(a.Text(0), a.Text(1), r, a.Text(2), a.Text(3), a.Text(4), a.Text(5));
         });
     }},
    {"Circulation23", "",
     [](C& c, const A&, O& o) { WithAnswer(o, [&](TAnswer& r) { c.Circulation23(r); }); }},
    {"SendMonit", "s:s1 s:s2",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.SendMonit(a.Text(0), a.Text(1), r); });
     }},
    {"GetOptions", "",
     [](C& c, const A&, O& o) { WithAnswer(o, [&](TAnswer& r) { c.GetOptions(r); }); }},
    {"SetOptions", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.SetOptions(a.Text(0), r); }); }},
    {"Circulation32", "s:s1 s:s2 s:s3 s:s4",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) {
             c.Circulation32(a.Text(0), a.Text(1), r, a.Text(2), a.Text(3));
         });
     }},
    {"Registry", "s:s1 i:i1",
     [](C& c, const A& a, O& o) {
         WithAnswer(o, [&](TAnswer& r) { c.Registry(a.Text(0), a.Int(1), r); });
     }},
    {"GetRegistry", "s:s1",
     [](C& c, const A& a, O& o) { WithAnswer(o, [&](TAnswer& r) { c.GetRegistry(a.Text(0), r); }); }},
    {"HasError", "", [](C& c, const A&, O& o) { o.Flag(c.HasError()); }},
    {"ErrorText", "", [](C& c, const A&, O& o) { o.Line(c.ErrorText()); }},
    {"WasReconnected", "",
     [](C& c, const A&, O& o) { o.Flag(c.WasReconnected()); }},
    {"IsUtf8", "", [](C& c, const A&, O& o) { o.Flag(c.IsUtf8()); }},
};

} // namespace

qint32 CallArguments::Int(int index) const
{
    return m_values.value(index).toInt();
}

qint16 CallArguments::Short(int index) const
{
    return m_values.value(index).toShort();
}

quint8 CallArguments::Byte(int index) const
{
    return static_cast<quint8>(m_values.value(index).toUShort());
}

QChar CallArguments::Char(int index) const
{
    const QString text = m_values.value(index);
    return text.isEmpty() ? QChar() : text.at(0);
}

QString CallArguments::Check(const QString& operation, const QString& signature) const
{
    const QStringList kinds = signature.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList names;
    for (const QString& kind : kinds)
        names << kind.mid(2);
    if (m_values.size() != kinds.size())
        return QStringLiteral("%1 takes %2 argument(s): %3")
            .arg(operation)
            .arg(kinds.size())
            .arg(names.join(QLatin1Char(' ')));
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        const QChar kind = kinds[i].at(0);
        const QString& value = m_values[i];
        qint64 number = 0;
        bool fits = true;
        if (kind == QLatin1Char('i'))
            fits = ToInteger(value, std::numeric_limits<qint32>::min(),
                             std::numeric_limits<qint32>::max(), number);
        else if (kind == QLatin1Char('n'))
            fits = ToInteger(value, std::numeric_limits<qint16>::min(),
                             std::numeric_limits<qint16>::max(), number);
        else if (kind == QLatin1Char('b'))
            fits = ToInteger(value, 0, 255, number);
        else if (kind == QLatin1Char('c'))
            fits = value.size() == 1;
        if (!fits)
            return QStringLiteral("%1: argument %2 does not fit: \"%3\"")
                .arg(operation, names[i], value);
    }
    return QString();
}

void CallOutput::Line(const QString& text)
{
    m_io.WriteLine(text);
}

void CallOutput::Flag(bool value)
{
    m_io.WriteLine(value ? QStringLiteral("true") : QStringLiteral("false"));
}

void CallOutput::Transfer(bool complete)
{
    Flag(complete);
    m_failed = m_failed || !complete;
}

const std::vector<CallOperation>& CallOperations()
{
    return kOperations;
}
