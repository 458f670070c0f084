#include "command/lexer.h"

#include <charconv>

namespace command {

namespace {

// The token of an operator character (which flushes the gathered digits), or null.
const char* operatorToken(char c) {
    switch (c) {
        case '@':
        case 'A':
        case 'a':
        case '*':
            return "@";
        case '+':
        case 'P':
        case 'p':
            return "+";
        case '/':
        case 'T':
        case 't':
            return "/";
        case '-':
        case 'E':
        case 'e':
            return "-";
        case '\r':
        case '&':
            return "|";
        case ';':
            return ";";
        default:
            return nullptr;
    }
}

std::string characterCode(char c) {
    char digits[4];
    auto end = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned char>(c)).ptr;
    std::string code = "[";
    code.append(digits, end);
    code += ']';
    return code;
}

}  // namespace

void lexCharacter(std::vector<std::string>& tokens, std::string& token, char c) {
    if (c >= '0' && c <= '9') {
        token += c;
    } else if (c == 'F' || c == 'f') {
        tokens.emplace_back("F");
        token.clear();
    } else if (c == 'D' || c == 'd') {
        tokens.emplace_back("D");
        token.clear();
    } else if (const char* op = operatorToken(c)) {
        tokens.push_back(token);
        tokens.emplace_back(op);
        token.clear();
    } else {
        tokens.push_back(characterCode(c));
    }
}

std::string tokenDisplay(const std::vector<std::string>& tokens) {
    std::string text;
    for (size_t i = 1; i < tokens.size(); ++i) {
        text += tokens[i];
        text += ' ';
    }
    return text;
}

}  // namespace command
