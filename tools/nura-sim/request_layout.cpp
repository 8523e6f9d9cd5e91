#include "request_layout.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kNone = -1;
using S = ReplyShape;

// Every request the client can send, as it lays out its items.
constexpr RequestLayout kLayouts[] = {
    {0, kNone, "Close", "", false, S::None},
    {253, kNone, "Hello", "s", false, S::Count},
    {30, kNone, "ServerDescription", "", false, S::LongString},
    {50, kNone, "GetEntry", "iiis", false, S::Count},
    {55, kNone, "GetFirstEntry", "iiiss", false, S::Count},
    {56, kNone, "GetNextEntry", "iiiss", false, S::Count},
    {57, kNone, "GetLastEntry", "iiiss", false, S::Count},
    {58, kNone, "GetPrevEntry", "iiiss", false, S::Count},
    {202, 'S', "SetServerString", "s", false, S::Count},
    {202, 'G', "GetServerStrings", "", false, S::Count},
    {15, kNone, "GetCollection", "s", false, S::Count},
    {6, kNone, "RemoveCollection", "i", false, S::Count},
    {100, 1, "ReportCollection", "ii", false, S::Stream},
    {100, 6, "ReportCollectionParams", "iis", false, S::Stream},
    {100, 2, "ReportList", "is", false, S::Stream},
    {100, 7, "ReportListParams", "iss", false, S::Stream},
    {100, 3, "ReportProcedure", "is", false, S::Stream},
    {201, 'X', "Programm", "sss", false, S::Count},
    {201, 'D', "DefaultParams", "s", false, S::Count},
    {120, 1, "FileGet", "s", false, S::Stream},
    {120, 2, "FileQuery", "s", false, S::Count},
    {120, 3, "FilePut", "s", true, S::Count},
    {220, 'F', "BlobStructure", "s", false, S::Count},
    {220, 'L', "BlobList", "s", false, S::Count},
    {220, 'G', "BlobGet", "ss", false, S::Stream},
    {220, 'P', "BlobGetProtected", "sss", false, S::StatusThenStream},
    {220, 'A', "BlobAdd", "ss", true, S::Count},
    {220, 'S', "BlobSaveAs", "sss", true, S::Count},
    {220, 'D', "BlobDelete", "ss", false, S::Count},
    {130, kNone, "GetStatusA", "", false, S::Count},
    {131, kNone, "GetStatusB", "", false, S::Count},
    {132, kNone, "GetStatusC", "", false, S::Count},
    {133, kNone, "GetStatus", "", false, S::Count},
    {135, kNone, "Command", "s", false, S::Count},
    {136, kNone, "CommandPair", "s", false, S::Count},
    {140, 1, "DeletingMark", "ss", false, S::Count},
    {140, 2, "DeletingCancel", "s", false, S::Count},
    {140, 3, "DeletingSelect", "s", false, S::Count},
    {140, 4, "DeletingProtocol", "ss", false, S::Count},
    {140, 5, "DeletingCancelProtocol", "s", false, S::Count},
    {140, 6, "DeletingDo", "ssii", false, S::Count},
    {140, 7, "DeletingDefaults", "ss", false, S::Count},
    {140, 8, "DeletingBarcode", "s", false, S::Count},
    {141, 2, "ScontrumMark", "bs", false, S::Count},
    {141, 3, "ScontrumHole", "bs", false, S::Count},
    {128, kNone, "LoginName", "s", false, S::Count},
    {129, kNone, "LoginPassword", "s", false, S::Count},
    {134, kNone, "ChangePassword", "s", false, S::Count},
    {254, kNone, "Ping", "s", false, S::Count},
    {200, 'F', "GetEpr", "s", false, S::Count},
    {200, 'A', "GetAct", "s", false, S::Count},
    {200, 'N', "NewRecord", "s", false, S::Count},
    {200, 'O', "OpenRecord", "s", false, S::Count},
    {200, 'X', "LeaveRecord", "s", false, S::Count},
    {200, 'U', "SaveRecord", "ss", false, S::Count},
    {200, 'T', "CheckRecord", "ss", false, S::Count},
    {200, 'D', "CheckRecordSingle", "s", false, S::Count},
    {200, 'H', "Help", "ss", false, S::Count},
    {200, 'I', "SaveHelp", "sss", false, S::Count},
    {200, 'G', "UpdateCollection", "is", false, S::Count},
    {200, 'L', "UpdateList", "ss", false, S::Count},
    {200, 'S', "RecordSignal", "ss", false, S::Count},
    {38, kNone, "Booking", "s", false, S::String},
    {150, 11, "GetPersonFormular", "", false, S::Count},
    {150, 1, "OpenPerson", "s", false, S::Count},
    {150, 3, "NewPerson", "s", false, S::Count},
    {150, 12, "LeavePerson", "s", false, S::Count},
    {150, 4, "DeletePerson", "s", false, S::Count},
    {150, 31, "PersonQuery31", "ss", false, S::Count},
    {150, 2, "PersonQuery2", "ss", false, S::Count},
    {150, 19, "PersonQuery19", "ss", false, S::Count},
    {150, 10, "PersonQuery10", "s", false, S::Count},
    {150, 6, "PersonQuery6", "s", false, S::Count},
    {150, 29, "PersonQuery29", "ss", false, S::Count},
    {150, 26, "PersonQuery26", "ss", false, S::Count},
    {150, 25, "PersonQuery25", "s", false, S::Count},
    {150, 7, "Lend", "sss", false, S::Count},
    {150, 22, "OperationDate", "sss", false, S::Count},
    {150, 8, "ReturnItem", "s", false, S::Count},
    {150, 21, "ReturnBad", "sss", false, S::Count},
    {150, 35, "ReturnStore", "ss", false, S::Count},
    {150, 9, "Reserve", "ss", false, S::Count},
    {150, 30, "ChangeReservation", "ss", false, S::Count},
    {150, 14, "DeleteReservation", "s", false, S::Count},
    {150, 13, "Prolong", "ss", false, S::Count},
    {150, 15, "SetReservationState", "ss", false, S::Count},
    {150, 34, "DivertReservation", "ssss", false, S::Count},
    {150, 20, "Book", "sss", false, S::Count},
    {150, 33, "ProlongBooking", "ss", false, S::Count},
    {150, 16, "DeleteBooking", "s", false, S::Count},
    {150, 17, "ChangePayment", "ss", false, S::Count},
    {150, 23, "Circulation23", "", false, S::Count},
    {150, 24, "SendMonit", "ss", false, S::Count},
    {150, 27, "GetOptions", "", false, S::Count},
    {150, 28, "SetOptions", "s", false, S::Count},
    {150, 32, "Circulation32", "ssss", false, S::Count},
    {151, 'I', "Registry", "si", false, S::Count},
    {151, 'V', "GetRegistry", "s", false, S::Count},
};

constexpr RequestLayout kMoneyShort = {150, 18, "Money", "sss", false, S::Count};
constexpr RequestLayout kMoneyLong = {150, 18, "Money", "ssssss", false, S::Count};

constexpr quint8 kSubCodeFamilies[] = {100, 120, 140, 141, 150, 151, 200, 201, 202, 220};

} // namespace

bool HasSubCode(quint8 code)
{
    return std::find(std::begin(kSubCodeFamilies), std::end(kSubCodeFamilies), code) !=
           std::end(kSubCodeFamilies);
}

const RequestLayout* FindLayout(quint8 code, int subCode, const LayoutContext& context)
{
    const int wanted = HasSubCode(code) ? subCode : kNone;
    if (code == 150 && wanted == 18)
        return context.moneyWithThreeMore ? &kMoneyLong : &kMoneyShort;
    for (const RequestLayout& layout : kLayouts) {
        if (layout.code == code && layout.subCode == wanted)
            return &layout;
    }
    return nullptr;
}
