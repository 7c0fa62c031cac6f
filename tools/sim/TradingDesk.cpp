#include "TradingDesk.h"

#include <cstdlib>

#include "RefData.h"
#include "SimLog.h"
#include "WireText.h"
#include "foundation/HP.h"

using WireText::Answer;
using WireText::Dec;
using WireText::Fixed;
using WireText::Message;
using WireText::Record;

const TradeProtocol& TradeProtocol::Stock() {
    static const TradeProtocol p{false,      "1",        "LOGINHK1", "OrdeStHK", "ModiStHK", "CancStHK",
                                 "StatStHK", "FillStHK", "AccoStHK", "HoldStHK", "OrdeStLs", "FillStLs",
                                 "AccoStLs", "HoldStLs", 46,         35,         37,         32,
                                 19,         24,         "10011",    "10005",    "10006",    "10007"};
    return p;
}

const TradeProtocol& TradeProtocol::Futures() {
    static const TradeProtocol p{true,       "0",        "LOGIN001", "ORDER001", "MODIFY01", "CANCEL01",
                                 "ORDERSTA", "FILCST01", "ACNTLAST", "HOLDSTAT", "ORDERLST", "FILLLIST",
                                 "DEPOSTAT", "OPENDETL", 35,         25,         27,         34,
                                 20,         21,         "10005",    "10011",    "10012",    "10013"};
    return p;
}

TradingDesk::TradingDesk(const TradeProtocol& p, UserBook& users, TradingBook& book, ConnectionMap& connections,
                         bool compress)
    : m_p(p), m_users(users), m_book(book), m_connections(connections), m_bCompress(compress) {}

TradingDesk::Fields TradingDesk::Split(std::string_view body, size_t count) {
    std::vector<std::string_view> items(count);
    const size_t total = HP::SplitView(body, '@', items.data(), count);
    Fields out(count);
    for (size_t i = 0; i < count && i < total; ++i) out[i] = std::string(items[i]);
    return out;
}

int TradingDesk::RequestId(const NetInfo& head) const {
    return HP::ToInt(head.m_strField[10]);
}

std::string TradingDesk::Error(const std::string& code, int requestId, std::string_view command) const {
    return Answer(command, requestId, code);
}

bool TradingDesk::Handle(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body) {
    if (code == m_p.login) {
        Login(c, head, body);
    } else if (code == "UNLOGIN1") {
        Logout(c, head);
    } else if (code == "VfQuList") {
        Questions(c, head);
    } else if (code == "SetVeriQA") {
        SetQuestions(c, head, body);
    } else if (code == "SfVerify") {
        SafeVerify(c, head, body);
    } else if (code == "RequVfCd") {
        VerifyCode(c, head);
    } else if (code == "MODIFYPW") {
        PasswordUpdate(c, head, body);
    } else if (code == m_p.insert) {
        Insert(c, head, body);
    } else if (code == m_p.modify) {
        Modify(c, head, body);
    } else if (code == m_p.cancel) {
        Cancel(c, head, body);
    } else if (code == m_p.qryOrder || code == m_p.qryTrade || code == m_p.qryCapital || code == m_p.qryPosition ||
               (m_p.future && code == "SEARCHHT")) {
        Query(c, code, head, body);
    } else if (code == "CRNYLIST" || code == "GETVER01" ||
               (!m_p.future && (code == "UptiStLs" || code == "ExchStLs" || code == "ContStLs")) ||
               (m_p.future && (code == "EXCHANGE" || code == "GetComdy" || code == "GETETIME" || code == "GETCTIME" ||
                               code == "CONTRACT" || code == "GETSTRLS" || code == "GETSTRDL"))) {
        Reference(c, code, head, body);
    } else {
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- login, verification, password

void TradingDesk::Login(SimConnection& c, const NetInfo& head, std::string_view body) {
    int id = RequestId(head);
    const Fields f = Split(body, 5);
    const std::string& user = f[0];
    if (user.empty() && f[1].empty()) {
        // The library re-sends a stored login after a server-started key exchange; before the
        // application's first login it carries nothing, and the real login follows.
        SimLog(c.Name() + " login without credentials ignored");
        return;
    }
    // The library re-sends the login with the key exchange's request id (0); the answer carries the
    // id of the application's own login that crossed the exchange, if one did.
    if (id == 0 && c.deferredLoginId >= 0) id = c.deferredLoginId;
    c.deferredLoginId = -1;
    SimUser* u = m_users.Find(user);
    if (u == nullptr) {
        c.Send(Error("10001", id, m_p.login));
        return;
    }
    if (u->password != f[1]) {
        c.Send(Error("10002", id, m_p.login));
        return;
    }
    c.userId = u->id;  // the user the verification steps speak about
    Fields rec(m_p.loginFields);
    rec[0] = u->account;
    rec[1] = u->id;
    rec[2] = u->id;
    rec[3] = m_p.future ? "USD" : "HKD";
    rec[4] = WireText::DateTimeNow();
    rec[5] = "quintara-sim";
    rec[m_p.verifyPos] = "0";
    rec[m_p.answerPos] = u->answers.empty() ? "0" : "1";
    if (u->needVerify && !c.verified) {
        rec[m_p.verifyPos] = "1";
        c.loggedIn = false;
        c.Send(Answer(m_p.login, id, "0", Record(rec)));
        return;
    }
    // A second login of the same user on another connection of this kind pushes out the first.
    for (auto& [fd, other] : m_connections) {
        if (other.get() == &c || other->Kind() != c.Kind() || !other->loggedIn || other->userId != u->id) continue;
        other->Send(Answer("LOGIN002", 0));
        other->loggedIn = false;
        SimLog(other->Name() + " kicked out: " + u->id + " logged in on " + c.Name());
    }
    c.loggedIn = true;
    c.account = u->account;
    m_book.Account(u->account, u->id);
    c.Send(Answer(m_p.login, id, "0", Record(rec)));
}

void TradingDesk::Logout(SimConnection& c, const NetInfo& head) {
    c.loggedIn = false;
    c.Send(Answer("UNLOGIN1", RequestId(head)));
}

void TradingDesk::Questions(SimConnection& c, const NetInfo& head) {
    const int id = RequestId(head);
    SimUser* u = m_users.Find(c.userId);
    if (u == nullptr) {
        c.Send(Error(m_p.notLoggedIn, id, "VfQuList"));
        return;
    }
    Fields records;
    for (const auto& [qid, text] : UserBook::Questions())
        records.push_back(Record({qid, text, u->answers.count(qid) ? "1" : "0", u->id}));
    SendList(c, "VfQuList", id, records);
}

void TradingDesk::SetQuestions(SimConnection& c, const NetInfo& head, std::string_view body) {
    const int id = RequestId(head);
    SimUser* u = m_users.Find(c.userId);
    if (u == nullptr) {
        c.Send(Error(m_p.notLoggedIn, id, "SetVeriQA"));
        return;
    }
    // VerifyField1..8: question id / answer pairs; empty pairs are skipped.
    const Fields f = Split(body, 8);
    std::map<std::string, std::string> answers;
    for (size_t i = 0; i + 1 < f.size(); i += 2) {
        if (f[i].empty() && f[i + 1].empty()) continue;
        bool known = false;
        for (const auto& q : UserBook::Questions()) known = known || q.first == f[i];
        if (!known || f[i + 1].empty()) {
            c.Send(Error("10009", id, "SetVeriQA"));
            return;
        }
        answers[f[i]] = f[i + 1];
    }
    if (answers.empty()) {
        c.Send(Error("10009", id, "SetVeriQA"));
        return;
    }
    u->answers = answers;
    c.Send(Answer("SetVeriQA", id));
}

void TradingDesk::SafeVerify(SimConnection& c, const NetInfo& head, std::string_view body) {
    const int id = RequestId(head);
    SimUser* u = m_users.Find(c.userId);
    if (u == nullptr) {
        c.Send(Error(m_p.notLoggedIn, id, "SfVerify"));
        return;
    }
    // VerifyField1 question id and VerifyField2 answer, or VerifyField3 the verification code.
    const Fields f = Split(body, 8);
    std::string error;
    if (!f[2].empty()) {
        if (f[2] != u->verifyCode) error = m_p.badCode;
    } else {
        auto it = u->answers.find(f[0]);
        if (it == u->answers.end())
            error = m_p.badQuestion;
        else if (it->second != f[1])
            error = m_p.badAnswer;
    }
    if (error.empty()) c.verified = true;
    c.Send(Answer("SfVerify", id, error.empty() ? "0" : error));
}

void TradingDesk::VerifyCode(SimConnection& c, const NetInfo& head) {
    const int id = RequestId(head);
    SimUser* u = m_users.Find(c.userId);
    if (u == nullptr) {
        c.Send(Error(m_p.notLoggedIn, id, "RequVfCd"));
        return;
    }
    SimLog(c.Name() + " verification code for " + u->id + ": " + u->verifyCode);
    c.Send(Answer("RequVfCd", id));
}

void TradingDesk::PasswordUpdate(SimConnection& c, const NetInfo& head, std::string_view body) {
    const int id = RequestId(head);
    // PwsField1 user, PwsField2 old password, PwsField3 new password.
    const Fields f = Split(body, 3);
    SimUser* u = m_users.Find(f[0].empty() ? c.userId : f[0]);
    if (u == nullptr) {
        c.Send(Error("10001", id, "MODIFYPW"));
        return;
    }
    if (u->password != f[1]) {
        c.Send(Error("30026", id, "MODIFYPW"));
        return;
    }
    if (f[2].empty() || f[2].find_first_of(" \t") != std::string::npos) {
        c.Send(Error("30027", id, "MODIFYPW"));
        return;
    }
    u->password = f[2];
    SendSingle(c, "MODIFYPW", id, Record({u->id, "1", WireText::DateTimeNow()}));
}

// ---------------------------------------------------------------- orders

void TradingDesk::Insert(SimConnection& c, const NetInfo& head, std::string_view body) {
    const std::string localNo(head.m_strField[1]);
    const std::string exchange(head.m_strField[6]);
    auto reject = [&](const std::string& code) {
        c.Send(Message(
            {m_p.insert, localNo, "", "", code, c.account, exchange, "", std::string(head.m_strField[8]), "", "0"}));
    };
    if (!c.loggedIn) return reject(m_p.notLoggedIn);
    const std::string account(head.m_strField[5]);
    if (!account.empty() && account != c.account) return reject("20036");
    const Fields f = Split(body, 20);
    SimOrder o;
    o.localNo = localNo;
    o.userId = c.userId;
    o.account = c.account;
    o.contract = RefData::Find(m_p.future, exchange.empty() ? f[5] : exchange, f[6]);
    if (o.contract == nullptr && exchange.empty() && f[5].empty()) o.contract = RefData::FindCode(m_p.future, f[6]);
    o.side = f[7];
    o.type = f[11];
    o.price = f[8].empty() ? 0 : HP::ToDouble(f[8]);
    o.quantity = f[9].empty() ? 0 : HP::ToInt64(f[9]);
    SimAccount& a = m_book.Account(c.account, c.userId);
    SimOrder* placed = nullptr;
    const std::string error = m_book.Insert(a, o, &placed);
    if (!error.empty()) return reject(error);
    c.Send(Message({m_p.insert, placed->localNo, placed->systemNo, "", "0", c.account, placed->contract->exchange, "",
                    c.userId, "", "0"},
                   OrderRecord(*placed)));
    PushOrder(a, *placed, nullptr);
    if (placed->side == "B" || m_p.future) PushCapital(a, placed->contract->currency);
    if (!m_p.future && placed->side == "S") PushPosition(a, placed->contract);
    Match();
}

void TradingDesk::Modify(SimConnection& c, const NetInfo& head, std::string_view body) {
    const std::string localNo(head.m_strField[1]);
    const std::string systemNo(head.m_strField[2]);
    const std::string exchange(head.m_strField[6]);
    auto reject = [&](const std::string& code) {
        c.Send(Message({m_p.modify, localNo, systemNo, std::string(head.m_strField[8]), code, c.account, exchange, "",
                        std::string(head.m_strField[8]), "", "0"}));
    };
    if (!c.loggedIn) return reject(m_p.notLoggedIn);
    const Fields f = Split(body, 21);
    SimAccount& a = m_book.Account(c.account, c.userId);
    SimOrder* o = nullptr;
    const std::string error = m_book.Modify(a, systemNo, f[8], f[9], &o);
    if (!error.empty()) return reject(error);
    c.Send(Message(
        {m_p.modify, o->localNo, o->systemNo, c.userId, "0", c.account, o->contract->exchange, "", c.userId, "", "0"},
        OrderRecord(*o)));
    PushOrder(a, *o, nullptr);
    PushCapital(a, o->contract->currency);
    Match();
}

void TradingDesk::Cancel(SimConnection& c, const NetInfo& head, std::string_view body) {
    const std::string localNo(head.m_strField[1]);
    const Fields f = Split(body, 20);
    const std::string systemNo = head.m_strField[2].empty() ? f[5] : std::string(head.m_strField[2]);
    const std::string exchange(head.m_strField[6]);
    auto reject = [&](const std::string& code) {
        c.Send(Message({m_p.cancel, localNo, systemNo, "", code, c.account, exchange, "",
                        std::string(head.m_strField[8]), "", "0"}));
    };
    if (!c.loggedIn) return reject(m_p.notLoggedIn);
    SimAccount& a = m_book.Account(c.account, c.userId);
    SimOrder* o = nullptr;
    const int64_t before = [&] {
        SimOrder* found = m_book.FindOrder(a, systemNo);
        return found != nullptr ? found->Remaining() : 0;
    }();
    const std::string error = m_book.Cancel(a, systemNo, &o);
    if (!error.empty()) return reject(error);
    c.Send(
        Message({m_p.cancel, o->localNo, o->systemNo, "", "0", c.account, o->contract->exchange, "", c.userId, "", "0"},
                CancelRecord(*o, before)));
    PushOrder(a, *o, nullptr);
    PushCapital(a, o->contract->currency);
    if (!m_p.future && o->side == "S") PushPosition(a, o->contract);
}

void TradingDesk::Match() {
    for (const TradingBook::Event& e : m_book.Match()) {
        PushOrder(*e.account, *e.order, e.fill);
        PushCapital(*e.account, e.order->contract->currency);
        PushPosition(*e.account, e.order->contract);
    }
}

template <class F>
void TradingDesk::ForAccount(const std::string& account, F&& f) {
    const SimKind kind = m_p.future ? SimKind::Future : SimKind::Stock;
    for (auto& [fd, c] : m_connections)
        if (c->Kind() == kind && c->loggedIn && c->account == account) f(*c);
}

void TradingDesk::PushOrder(SimAccount& a, const SimOrder& o, const SimFill* fill) {
    ForAccount(a.account, [&](SimConnection& c) {
        if (fill != nullptr) c.Send(Answer(m_p.fill, 0, "0", FillRecord(*fill)));
        c.Send(Message({m_p.status, o.localNo, o.systemNo, "", "0", "", "", "", "", "", "0"}, StatusRecord(o, fill)));
    });
}

void TradingDesk::PushCapital(SimAccount& a, const std::string& currency) {
    const std::string record = CapitalPushRecord(a, currency);
    ForAccount(a.account, [&](SimConnection& c) { c.Send(Answer(m_p.capitalPush, 0, "0", record)); });
}

void TradingDesk::PushPosition(SimAccount& a, const SimContract* contract) {
    auto it = a.positions.find(contract);
    SimPosition empty;
    empty.contract = contract;
    const SimPosition& p = it == a.positions.end() ? empty : it->second;
    const std::string record = m_p.future ? TotalPositionRecord(a, p) : PositionRecord(a, p);
    ForAccount(a.account, [&](SimConnection& c) { c.Send(Answer(m_p.positionPush, 0, "0", record)); });
}

// ---------------------------------------------------------------- queries

void TradingDesk::Query(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body) {
    const int id = RequestId(head);
    if (!c.loggedIn) {
        c.Send(Error(m_p.notLoggedIn, id, code));
        return;
    }
    SimAccount& a = m_book.Account(c.account, c.userId);
    Fields records;
    if (code == m_p.qryOrder) {
        const Fields f = Split(body, 7);  // Item00: a system number, or empty for all orders
        for (const auto& o : a.orders)
            if (f[0].empty() || f[0] == o->systemNo) records.push_back(OrderRecord(*o));
    } else if (code == m_p.qryTrade) {
        const Fields f = Split(body, 5);  // Item04: a system number, or empty for all fills
        for (const auto& fill : a.fills)
            if (f[4].empty() || f[4] == fill.systemNo) records.push_back(FillRecord(fill));
    } else if (code == m_p.qryCapital) {
        for (const auto& [currency, cap] : a.capital) records.push_back(CapitalQueryRecord(a, currency));
    } else if (code == m_p.qryPosition) {
        for (const auto& [contract, p] : a.positions) {
            if (m_p.future) {
                if (p.net != 0) records.push_back(DetailRecord(a, p));
            } else if (p.net != 0 || p.boughtToday != 0 || p.soldToday != 0) {
                records.push_back(PositionRecord(a, p));
            }
        }
    } else {  // "SEARCHHT": the account in head field 5 must be the session's
        if (!head.m_strField[5].empty() && head.m_strField[5] != c.account) {
            c.Send(Error("20036", id, code));
            return;
        }
        for (const auto& [contract, p] : a.positions)
            if (p.net != 0) records.push_back(TotalPositionRecord(a, p));
    }
    SendList(c, code, id, records);
}

void TradingDesk::Reference(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body) {
    const int id = RequestId(head);
    if (code == "GETVER01") {
        SendSingle(c, code, id, RefData::Version());
    } else if (code == "CRNYLIST") {
        SendList(c, code, id, RefData::Currencies());
    } else if (code == "UptiStLs") {
        SendList(c, code, id, RefData::StockTicks());
    } else if (code == "ExchStLs") {
        SendList(c, code, id, RefData::StockExchanges());
    } else if (code == "ContStLs") {
        SendList(c, code, id, RefData::StockInstruments(Split(body, 1)[0]));
    } else if (code == "EXCHANGE") {
        SendList(c, code, id, RefData::FutureExchanges());
    } else if (code == "GetComdy") {
        SendList(c, code, id, RefData::Commodities(std::string(head.m_strField[1]), std::string(head.m_strField[6])));
    } else if (code == "GETETIME") {
        SendList(c, code, id, RefData::ExchangeTimes());
    } else if (code == "GETCTIME") {
        const Fields f = Split(body, 2);
        SendList(c, code, id, RefData::CommodityTimes(f[0], f[1]));
    } else if (code == "CONTRACT") {
        const Fields f = Split(body, 39);
        SendList(c, code, id, RefData::FutureInstruments(f[1], f[2], f[4], f[6]));
    } else if (code == "GETSTRLS") {
        SendList(c, code, id, RefData::Strategies(Split(body, 39)[1]));
    } else if (code == "GETSTRDL") {
        SendSingle(c, code, id, RefData::StrategyDetail(Split(body, 11)[7]));
    }
}

void TradingDesk::SendSingle(SimConnection& c, std::string_view code, int requestId, const std::string& record) {
    if (m_bCompress && !record.empty())
        c.Send(Answer(code, requestId, "0", WireText::CompressedBody(record), "1"));
    else
        c.Send(Answer(code, requestId, "0", record));
}

void TradingDesk::SendList(SimConnection& c, std::string_view code, int requestId, const Fields& records) {
    const std::string body = WireText::Join(records);
    std::string message = Answer(code, requestId, "0", body);
    if (m_bCompress || message.size() > c.MaxMessage()) {
        const std::string packed = Answer(code, requestId, "0", WireText::CompressedBody(body), "1");
        if (!body.empty() && (m_bCompress || packed.size() < message.size())) message = packed;
    }
    if (message.size() <= c.MaxMessage()) {
        c.Send(message);
        return;
    }
    // Too long even compressed: as many records per message as fit.
    SimLog(c.Name() + " " + std::string(code) + " answer split over several messages");
    Fields part;
    size_t size = 0;
    for (const auto& r : records) {
        if (!part.empty() && size + r.size() + 1 > c.MaxMessage() - 64) {
            c.Send(Answer(code, requestId, "0", WireText::Join(part)));
            part.clear();
            size = 0;
        }
        part.push_back(r.substr(0, c.MaxMessage() - 64));
        size += part.back().size() + 1;
    }
    if (!part.empty()) c.Send(Answer(code, requestId, "0", WireText::Join(part)));
}

// ---------------------------------------------------------------- records

std::string TradingDesk::OrderRecord(const SimOrder& o) const {
    const int d = o.contract->decimals;
    Fields f(m_p.orderFields);
    f[0] = o.userId;
    f[1] = o.account;
    f[2] = o.systemNo;
    f[3] = o.localNo;
    f[4] = o.contract->exchange;
    f[8] = o.contract->code;
    f[9] = o.side;
    f[10] = Fixed(o.price, d);
    f[11] = std::to_string(o.quantity);
    f[12] = std::to_string(static_cast<int>(o.status));
    f[16] = std::to_string(o.filled);
    f[18] = Fixed(o.AveragePrice(), d + 2);
    f[19] = o.type;
    f[20] = o.time;
    f[21] = StatusText(o.status);
    f[24] = o.contract->currency;
    f[25] = std::to_string(o.Remaining());
    return Record(f);
}

std::string TradingDesk::StatusRecord(const SimOrder& o, const SimFill* fill) const {
    const int d = o.contract->decimals;
    Fields f(21);
    f[0] = o.systemNo;
    f[1] = o.account;
    f[2] = o.contract->code;
    f[3] = std::to_string(static_cast<int>(o.status));
    f[4] = std::to_string(o.quantity);
    f[5] = Fixed(o.price, d);
    f[6] = std::to_string(o.filled);
    f[7] = Fixed(o.AveragePrice(), d + 2);
    f[8] = fill != nullptr ? Fixed(fill->price, d) : "0";
    f[9] = fill != nullptr ? std::to_string(fill->quantity) : "0";
    f[10] = "0";
    f[11] = "0";
    f[12] = o.side;
    f[13] = "0";
    f[14] = std::to_string(o.Remaining());
    f[15] = o.contract->exchange;
    f[16] = StatusText(o.status);
    for (size_t i = 17; i < 21; ++i) f[i] = "0";
    return Record(f);
}

std::string TradingDesk::FillRecord(const SimFill& fill) const {
    Fields f(m_p.fillFields);
    f[0] = fill.fillNo;
    f[1] = fill.systemNo;
    f[2] = fill.localNo;
    f[3] = fill.account;
    f[4] = fill.contract->exchange;
    f[5] = fill.contract->code;
    f[6] = fill.side;
    f[7] = Fixed(fill.price, fill.contract->decimals);
    f[8] = std::to_string(fill.quantity);
    f[9] = fill.time;
    f[10] = fill.contract->currency;
    f[11] = fill.userId;
    f[12] = Fixed(fill.commission, 2);
    return Record(f);
}

std::string TradingDesk::CancelRecord(const SimOrder& o, int64_t cancelled) const {
    Fields f(m_p.cancelFields);
    f[0] = o.userId;
    f[1] = o.account;
    f[2] = o.systemNo;
    f[3] = o.localNo;
    f[4] = o.contract->exchange;
    f[5] = o.contract->code;
    f[6] = o.side;
    f[7] = Fixed(o.price, o.contract->decimals);
    f[8] = std::to_string(o.quantity);
    f[9] = std::to_string(cancelled);
    f[10] = std::to_string(o.filled);
    f[11] = std::to_string(static_cast<int>(o.status));
    f[13] = o.time;
    f[15] = StatusText(o.status);
    f[16] = o.contract->currency;
    return Record(f);
}

std::string TradingDesk::CapitalPushRecord(SimAccount& a, const std::string& currency) {
    const SimCapital& cap = a.capital[currency];
    Fields f(46, "0");
    f[0] = a.account;
    f[1] = currency;
    f[2] = Fixed(cap.cash, 2);
    f[3] = Fixed(m_book.Available(a, currency), 2);
    f[4] = Fixed(m_book.Frozen(a, currency), 2);
    f[5] = Fixed(m_book.MarketValue(a, currency), 2);
    f[6] = Fixed(m_book.NetAsset(a, currency), 2);
    f[7] = Fixed(cap.realised, 2);
    f[8] = Fixed(m_book.Unrealised(a, currency), 2);
    f[9] = Fixed(cap.commission, 2);
    f[11] = std::to_string(cap.fills);
    f[14] = a.userId;
    for (size_t i : {19u, 20u, 21u, 31u}) f[i] = "";
    return Record(f);
}

std::string TradingDesk::CapitalQueryRecord(SimAccount& a, const std::string& currency) {
    const SimCapital& cap = a.capital[currency];
    Fields f(41, "0");
    for (size_t i = 10; i <= 16; ++i) f[i] = "";
    f[0] = a.account;
    f[1] = currency;
    f[2] = Fixed(cap.cash, 2);
    f[3] = Fixed(m_book.Available(a, currency), 2);
    f[4] = Fixed(m_book.Frozen(a, currency), 2);
    f[5] = Fixed(m_book.MarketValue(a, currency), 2);
    f[6] = Fixed(m_book.NetAsset(a, currency), 2);
    f[7] = Fixed(cap.realised, 2);
    f[8] = Fixed(m_book.Unrealised(a, currency), 2);
    f[9] = Fixed(cap.commission, 2);
    f[17] = Fixed(m_book.NetAsset(a, currency), 2);
    f[18] = a.userId;
    f[19] = Fixed(cap.cash, 2);
    f[20] = Fixed(m_book.Available(a, currency), 2);
    f[21] = Fixed(m_book.Frozen(a, currency), 2);
    f[22] = Fixed(m_book.MarketValue(a, currency), 2);
    f[23] = Fixed(m_book.Unrealised(a, currency), 2);
    f[25] = Fixed(cap.realised, 2);
    return Record(f);
}

std::string TradingDesk::PositionRecord(SimAccount& a, const SimPosition& p) {
    const SimContract* c = p.contract;
    const double last = m_book.LastPrice(c);
    const int64_t frozen = m_book.FrozenQuantity(a, c);
    Fields f(23, "0");
    f[0] = a.account;
    f[1] = c->exchange;
    f[2] = c->code;
    f[3] = c->currency;
    f[4] = Fixed(p.average, c->decimals + 2);
    f[5] = std::to_string(p.net);
    f[6] = std::to_string(p.net - frozen);
    f[7] = std::to_string(frozen);
    f[8] = Fixed(last, c->decimals);
    f[9] = Fixed(last * static_cast<double>(p.net), 2);
    f[10] = std::to_string(p.boughtToday);
    f[11] = std::to_string(p.soldToday);
    f[12] = c->name;
    f[13] = Fixed(m_book.Unrealised(p), 2);
    return Record(f);
}

std::string TradingDesk::TotalPositionRecord(SimAccount& a, const SimPosition& p) {
    const SimContract* c = p.contract;
    Fields f(21, "0");
    f[0] = a.account;
    f[1] = c->exchange;
    f[2] = c->code;
    f[3] = std::to_string(p.net > 0 ? p.net : 0);
    f[4] = std::to_string(p.net < 0 ? -p.net : 0);
    f[5] = Fixed(p.net > 0 ? p.average : 0, c->decimals + 2);
    f[6] = std::to_string(p.net);
    f[7] = Fixed(p.net < 0 ? p.average : 0, c->decimals + 2);
    f[8] = Fixed(m_book.LastPrice(c), c->decimals);
    f[10] = Fixed(m_book.Unrealised(p), 2);
    f[11] = Fixed(static_cast<double>(p.net < 0 ? -p.net : p.net) * c->margin, 2);
    f[12] = c->currency;
    f[15] = c->commodity;
    f[16] = c->month;
    return Record(f);
}

std::string TradingDesk::DetailRecord(SimAccount& a, const SimPosition& p) {
    const SimContract* c = p.contract;
    Fields f(15);
    f[0] = a.account;
    f[1] = c->exchange;
    f[2] = c->code;
    f[3] = p.net > 0 ? "B" : "S";
    f[4] = p.openDate;
    f[5] = c->commodity;
    f[6] = c->currency;
    f[8] = a.userId;
    f[9] = std::to_string(p.net > 0 ? p.net : -p.net);
    f[10] = Fixed(p.average, c->decimals + 2);
    f[11] = Fixed(m_book.LastPrice(c), c->decimals);
    f[14] = Fixed(m_book.Unrealised(p), 2);
    return Record(f);
}
