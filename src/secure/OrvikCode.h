#pragma once

// Protocol constants: command codes and the fixed field values of the message grammar.
namespace OrvikCode {
// Shared by every kind.
constexpr const char* HEARTBIT = "TEST0001";  // heartbeat answer
constexpr const char* LOGIN002 = "LOGIN002";  // kicked out: the account logged in elsewhere
constexpr const char* LOGINMULTI = "LOGIN003";
constexpr const char* LogHisLs = "LogHisLs";
constexpr const char* SYSTEMNO = "SYSTEMNO";
constexpr const char* ReqPublicKey = "REQ_PUBLIC_KEY";
constexpr const char* ReplyPublicKey = "REPLY_PUBLIC_KEY";
constexpr const char* SendKey = "SEND_KEY";
constexpr const char* ReplySendKey = "REPLY_SEND_KEY";
constexpr const char* PasswdShow = "******";  // what the log shows in place of a secret
constexpr const char* UNLOGIN1 = "UNLOGIN1";
constexpr const char* VfQuList = "VfQuList";
constexpr const char* SetVeriQA = "SetVeriQA";
constexpr const char* SfVerify = "SfVerify";
constexpr const char* RequVfCd = "RequVfCd";
constexpr const char* MODIFYPW = "MODIFYPW";
constexpr const char* CRNYLIST = "CRNYLIST";
constexpr const char* GETVER01 = "GETVER01";
// Stock.
constexpr const char* LOGINHK1 = "LOGINHK1";  // also the market login
constexpr const char* OrdeStHK = "OrdeStHK";
constexpr const char* ModiStHK = "ModiStHK";
constexpr const char* CancStHK = "CancStHK";
constexpr const char* CancStRe = "CancStRe";
constexpr const char* StatStHK = "StatStHK";
constexpr const char* FillStHK = "FillStHK";
constexpr const char* AccoStHK = "AccoStHK";
constexpr const char* HoldStHK = "HoldStHK";
constexpr const char* OrdeStLs = "OrdeStLs";
constexpr const char* FillStLs = "FillStLs";
constexpr const char* AccoStLs = "AccoStLs";
constexpr const char* HoldStLs = "HoldStLs";
constexpr const char* UptiStLs = "UptiStLs";
constexpr const char* ExchStLs = "ExchStLs";
constexpr const char* ContStLs = "ContStLs";
// Futures.
constexpr const char* LOGIN001 = "LOGIN001";
constexpr const char* ORDER001 = "ORDER001";
constexpr const char* MODIFY01 = "MODIFY01";
constexpr const char* CANCEL01 = "CANCEL01";
constexpr const char* CANCST01 = "CANCST01";
constexpr const char* ORDERSTA = "ORDERSTA";
constexpr const char* FILCST01 = "FILCST01";
constexpr const char* ACNTLAST = "ACNTLAST";
constexpr const char* HOLDSTAT = "HOLDSTAT";
constexpr const char* ORDERLST = "ORDERLST";
constexpr const char* FILLLIST = "FILLLIST";
constexpr const char* DEPOSTAT = "DEPOSTAT";
constexpr const char* OPENDETL = "OPENDETL";
constexpr const char* SEARCHHT = "SEARCHHT";
constexpr const char* EXCHANGE = "EXCHANGE";
constexpr const char* CONTRACT = "CONTRACT";
constexpr const char* GetComdy = "GetComdy";
constexpr const char* GETETIME = "GETETIME";
constexpr const char* GETCTIME = "GETCTIME";
constexpr const char* GETSTRLS = "GETSTRLS";
constexpr const char* GETSTRDL = "GETSTRDL";
// Market.
constexpr const char* MARKET01 = "MARKET01";
constexpr const char* TradeDate = "M2";
constexpr const char* BrokerData = "B";
constexpr const char* BROKER = "BROKER";
constexpr const char* MarketHeartBeat = "TEST001";
}  // namespace OrvikCode

// The kind code of head field 8 (or 3).
namespace OrvikKind {
constexpr const char* HKStock = "1";
constexpr const char* Future = "0";
constexpr const char* Market = "";
}  // namespace OrvikKind

// Transfer mode of head field 9: "1" and "2" mark a compressed (Base64 raw-deflate) body.
namespace TransMode {
constexpr const char* NonCompress = "";
constexpr const char* CompressEnglish = "1";
constexpr const char* CompressChina = "2";
}  // namespace TransMode

namespace ApiType {
constexpr const char* SdkApi = "A";
}

namespace VerfityStep {
constexpr const char* Must = "1";  // security verification is required
}

namespace SetAnswerStep {
constexpr const char* Have = "1";  // the user has set security questions
}
