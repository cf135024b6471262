#include "script/SlotTable.h"

#include <initializer_list>

namespace kel {

namespace {

struct ParamEntry {
    const char* templ;       // "oid=$OID$"
    bool keyHasEquals = false;
};

ParamDef MakeParam(const ParamEntry& entry) {
    ParamDef p;
    p.templ = QString::fromLatin1(entry.templ);
    p.keyHasEquals = entry.keyHasEquals;
    const qsizetype eq = p.templ.indexOf(QLatin1Char('='));
    p.name = p.templ.left(eq);
    const qsizetype open = p.templ.indexOf(QLatin1Char('$'));
    const qsizetype close = p.templ.indexOf(QLatin1Char('$'), open + 1);
    p.placeholder = p.templ.mid(open, close - open + 1);
    p.before = p.templ.left(open);
    p.after = p.templ.mid(close + 1);
    return p;
}

CommandDef MakeCommand(const char* word, CommandLayout layout,
                       std::initializer_list<ParamEntry> params) {
    CommandDef c{QString::fromLatin1(word), layout, {}};
    c.params.reserve(params.size());
    for (const ParamEntry& p : params) c.params.push_back(MakeParam(p));
    return c;
}

// A command that takes the same parameters as another (`line` as `point`).
CommandDef SameParams(CommandDef def, const char* word) {
    def.word = QString::fromLatin1(word);
    return def;
}

const std::vector<CommandDef>& Table() {
    using L = CommandLayout;
    static const CommandDef point =
        MakeCommand("point", L::Block,
                    {{"oid=$OID$"},
                     {"gid=$GID$"},
                     {"pos=$POS$"},
                     {"str=$STR$"},
                     {"strformat=$STRFORMAT$"},
                     {"url=$URL$"},
                     {"urltype=$URLTYPE$"},
                     {"info=$INFO$"}});
    static const std::vector<CommandDef> table = {
        // The `ver` of the script start is looked up with "ver=" and the `url` of a message
        // with "url=": the "=" must follow the name directly.
        MakeCommand("mapserver", L::Script, {{"ver=$VER$", true}, {"savable=$SAVABLE$"}}),
        MakeCommand("init", L::OneLine, {{"file=$FILE$;"}}),
        MakeCommand("kanji", L::OneLine, {{"code=$KCODE$;"}}),
        MakeCommand("georef", L::OneLine, {{"system=$GEOREF$;"}}),
        MakeCommand("group", L::Block,
                    {{"gid=$GID$"},
                     {"gname=$GNAME$"},
                     {"textrgb=$TEXTRGB$"},
                     {"linergb=$LINERGB$"},
                     {"areargb=$AREARGB$"},
                     {"bodrrgb=$BODRRGB$"},
                     {"textstyle=$TEXTSTYLE$"},
                     {"linestyle=$LINESTYLE$"},
                     {"areastyle=$AREASTYLE$"},
                     {"pointstyle=$ICONSTYLE$"},
                     {"bodrstyle=$BODRSTYLE$"},
                     {"iconsize=$ICONSIZE$"},
                     {"linewidth=$LWIDTH$"},
                     {"bodrwidth=$BODRWIDTH$"},
                     {"textsize=$TEXTSIZE$"},
                     {"textoff=$TEXTOFF$"}}),
        MakeCommand("icon", L::Block, {{"name=$NAME$"}, {"file=$FILE$"}, {"format=$FORMAT$"}}),
        MakeCommand("theme", L::OneLine, {{"str=$STR$;"}}),
        MakeCommand("message", L::Block,
                    {{"str=$STR$"}, {"url=$URL$", true}, {"urltype=$URLTYPE$"}}),
        point,
        SameParams(point, "line"),
        MakeCommand("circle", L::Block,
                    {{"oid=$OID$"},
                     {"gid=$GID$"},
                     {"pos=$POS$"},
                     {"r=$R$"},
                     {"rmax=$RMAX$"},
                     {"str=$STR$"},
                     {"strpos=$STRPOS$"},
                     {"strformat=$STRFORMAT$"},
                     {"url=$URL$"},
                     {"urltype=$URLTYPE$"},
                     {"info=$INFO$"}}),
        MakeCommand("rect", L::Block,
                    {{"oid=$OID$"},
                     {"gid=$GID$"},
                     {"pos=$POS$"},
                     {"width=$WIDTH$"},
                     {"height=$HEIGHT$"},
                     {"widthmax=$WIDTHMAX$"},
                     {"heightmax=$HEIGHTMAX$"},
                     {"str=$STR$"},
                     {"strpos=$STRPOS$"},
                     {"strformat=$STRFORMAT$"},
                     {"url=$URL$"},
                     {"urltype=$URLTYPE$"},
                     {"info=$INFO$"}}),
        MakeCommand("area", L::Block,
                    {{"oid=$OID$"},
                     {"gid=$GID$"},
                     {"pos=$POS$"},
                     {"str=$STR$"},
                     {"url=$URL$"},
                     {"urltype=$URLTYPE$"},
                     {"info=$INFO$"}}),
        MakeCommand("pick", L::Block,
                    {{"str=$STR$"}, {"cgi=$CGI$"}, {"param=$PARAM$"}, {"method=$METHOD$"}}),
        MakeCommand("input", L::Block,
                    {{"type=$TYPE$"},
                     {"str=$STR$"},
                     {"cgi=$CGI$"},
                     {"param=$PARAM$"},
                     {"method=$METHOD$"},
                     {"format=$FORMAT$"},
                     {"precision=$PRECISION$"}}),
        MakeCommand("addon", L::Addon,
                    {{"title=$TITLE$"},
                     {"author=$AUTHOR$"},
                     {"updatable=$UPDATABLE$"},
                     {"url=$URL$"}}),
    };
    return table;
}

}  // namespace

const CommandDef* FindCommand(QStringView word) {
    if (word.isEmpty()) return nullptr;
    const QChar first = word.front();
    for (const CommandDef& c : Table())
        if (c.word.size() == word.size() && c.word.front() == first && c.word == word) return &c;
    return nullptr;
}

}  // namespace kel
