// SPDX-License-Identifier: GPL-3.0-or-later
// Expat-driven reader of the XML deck format.
#include "deck/XmlDeckReader.h"

#include <wx/file.h>

#include <cstring>
#include <limits>
#include <new>

#include <expat.h>

#include "deck/TextDecoding.h"

namespace
{
const size_t ChunkSize = 256 * 1024;
const size_t MaxChunkSize = size_t(1) << 30;
} // namespace

size_t XmlDeckReader::CountStartTags(const char* data, size_t size, bool& afterLess)
{
    size_t count = 0;
    const char* p = data;
    const char* end = data + size;
    if (afterLess && p < end)
    {
        if (*p != '!' && *p != '?' && *p != '/')
            ++count;
        afterLess = false;
    }
    while (p < end)
    {
        p = static_cast<const char*>(std::memchr(p, '<', end - p));
        if (p == nullptr)
            break;
        ++p;
        if (p == end)
            afterLess = true;
        else if (*p != '!' && *p != '?' && *p != '/')
            ++count;
    }
    return count;
}

struct XmlDeckReader::Parse
{
    XML_Parser parser = nullptr;
    std::vector<Card>* cards = nullptr;
    std::vector<size_t> withPictures;
    const MediaResolver* resolver = nullptr;
    int depth = 0;
    bool versionOk = false;
    bool outOfMemory = false;
    size_t events = 0; ///< Handler calls so far: none in a chunk means one token spans it.
    wxString media;

    Parse()
    {
        parser = XML_ParserCreate(nullptr);
        if (parser == nullptr)
            return;
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &Parse::OnStart, &Parse::OnEnd);
        // With a default handler, entity references in text are passed over, not expanded,
        // exactly as the toolkit's document loader treats them.
        XML_SetDefaultHandler(parser, &Parse::OnOther);
    }
    ~Parse()
    {
        if (parser != nullptr)
            XML_ParserFree(parser);
    }
    Parse(const Parse&) = delete;
    Parse& operator=(const Parse&) = delete;

    static void OnOther(void* data, const XML_Char*, int) { ++static_cast<Parse*>(data)->events; }

    static void OnEnd(void* data, const XML_Char*)
    {
        Parse& parse = *static_cast<Parse*>(data);
        --parse.depth;
        ++parse.events;
    }

    static void OnStart(void* data, const XML_Char*, const XML_Char** attributes)
    {
        Parse& parse = *static_cast<Parse*>(data);
        ++parse.depth;
        ++parse.events;
        // No exception may unwind through the parser's C code: stop it instead.
        try
        {
            parse.Start(attributes);
        }
        catch (const std::bad_alloc&)
        {
            parse.outOfMemory = true;
            XML_StopParser(parse.parser, XML_FALSE);
        }
    }

    void Start(const XML_Char** attributes)
    {
        if (depth == 1)
        {
            const char* version = "";
            for (const XML_Char** a = attributes; *a != nullptr; a += 2)
            {
                if (std::strcmp(a[0], "Version") == 0)
                    version = a[1];
            }
            versionOk = ParseVersion(version) == 1;
        }
        else if (depth == 2 && versionOk)
            AddCard(attributes);
    }

    void AddCard(const XML_Char** attributes)
    {
        cards->emplace_back();
        Card& card = cards->back();
        for (const XML_Char** a = attributes; *a != nullptr; a += 2)
        {
            const char* name = a[0];
            const char* value = a[1];
            if (std::strcmp(name, "Question") == 0)
                DecodeUtf8(value, std::strlen(value), card.Question);
            else if (std::strcmp(name, "Answer") == 0)
                DecodeUtf8(value, std::strlen(value), card.Answer);
            else if (std::strcmp(name, "History") == 0)
                DecodeUtf8(value, std::strlen(value), card.History);
            else if (std::strcmp(name, "QuestionPicture") == 0)
                Picture(card.QuestionPicture, value);
            else if (std::strcmp(name, "AnswerPicture") == 0)
                Picture(card.AnswerPicture, value);
            else if (std::strcmp(name, "QuestionSound") == 0)
                card.QuestionSound = Media(value);
            else if (std::strcmp(name, "AnswerSound") == 0)
                card.AnswerSound = Media(value);
        }
    }

    void Picture(MediaFile& picture, const char* value)
    {
        picture = Media(value);
        const size_t index = cards->size() - 1;
        if (picture.IsOk() && (withPictures.empty() || withPictures.back() != index))
            withPictures.push_back(index);
    }

    wxFileName Media(const char* value)
    {
        if (*value == '\0')
            return wxFileName();
        DecodeUtf8(value, std::strlen(value), media);
        return (*resolver)(media);
    }
};

XmlDeckReader::XmlDeckReader(MediaResolver resolver) : m_resolver(std::move(resolver)) {}

long XmlDeckReader::ParseVersion(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    const long limit = std::numeric_limits<long>::max() / 10 - 1;
    long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
        if (value < limit)
            value = value * 10 + (*p - '0');
    }
    return negative ? -value : value;
}

XmlDeckReader::Outcome XmlDeckReader::ReadFile(const wxString& path, std::vector<Card>& cards)
{
    m_withPictures.clear();
    m_error.clear();
    m_errorLine = 0;
    wxFile file;
    if (!file.Open(path))
        return Outcome::ReadFailed;

    // One quick pass counts the start tags so that the cards are never moved while the
    // deck is built: a move would copy every card and briefly double the memory.
    std::vector<char> chunk(ChunkSize);
    size_t tags = 0;
    bool afterLess = false;
    for (;;)
    {
        const ssize_t got = file.Read(chunk.data(), chunk.size());
        if (got == wxInvalidOffset)
            return Outcome::ReadFailed;
        if (got == 0)
            break;
        tags += CountStartTags(chunk.data(), static_cast<size_t>(got), afterLess);
    }
    if (file.Seek(0) == wxInvalidOffset)
        return Outcome::ReadFailed;
    std::vector<char>().swap(chunk);

    std::vector<Card> loaded;
    try
    {
        const wxFileOffset size = file.Length();
        const size_t ceiling = size > 0 ? static_cast<size_t>(size) / 32 + 16 : 16;
        loaded.reserve(tags < ceiling ? tags : ceiling);
    }
    catch (const std::bad_alloc&)
    {
        // Grow as needed instead.
    }

    Parse parse;
    if (parse.parser == nullptr)
        return Outcome::ReadFailed;
    parse.cards = &loaded;
    parse.resolver = &m_resolver;
    // The parser scans an unfinished token again from its start with every chunk, so a chunk
    // that ends inside the same token as the last one is twice as large: one attribute of any
    // length then costs time in proportion to its length, not to its square.
    size_t chunkSize = ChunkSize;
    for (;;)
    {
        void* buffer = XML_GetBuffer(parse.parser, static_cast<int>(chunkSize));
        if (buffer == nullptr)
            break;
        const ssize_t got = file.Read(buffer, chunkSize);
        if (got == wxInvalidOffset)
            return Outcome::ReadFailed;
        const size_t eventsBefore = parse.events;
        if (XML_ParseBuffer(parse.parser, static_cast<int>(got), got == 0) != XML_STATUS_OK)
            break;
        if (got == 0)
            return Finish(parse, loaded, cards);
        if (parse.events != eventsBefore)
            chunkSize = ChunkSize;
        else if (chunkSize < MaxChunkSize)
            chunkSize *= 2;
    }
    if (parse.outOfMemory || XML_GetErrorCode(parse.parser) == XML_ERROR_NO_MEMORY)
        return Outcome::OutOfMemory;
    m_error = wxString::FromUTF8(XML_ErrorString(XML_GetErrorCode(parse.parser)));
    m_errorLine = static_cast<int>(XML_GetCurrentLineNumber(parse.parser));
    return Outcome::NotWellFormed;
}

XmlDeckReader::Outcome XmlDeckReader::Finish(Parse& parse, std::vector<Card>& loaded,
                                             std::vector<Card>& cards)
{
    if (!parse.versionOk)
        return Outcome::WrongVersion;
    const size_t before = cards.size();
    try
    {
        if (cards.empty())
            cards.swap(loaded);
        else
            cards.insert(cards.end(), loaded.begin(), loaded.end());
        for (const size_t index : parse.withPictures)
            m_withPictures.push_back(before + index);
    }
    catch (const std::bad_alloc&)
    {
        cards.resize(before);
        m_withPictures.clear();
        return Outcome::OutOfMemory;
    }
    return Outcome::Read;
}
