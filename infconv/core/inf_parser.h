// Builds the INF tree from the token list.
#pragma once

class cInfNode;
class cInfTokenizer;

class cInfParser {
public:
    // Appends the sections and keys of the tokens to `root`. The first error
    // is reported through the error channel and ends the parse with
    // cInfSyntaxException* (when the channel does not end the process).
    // The tokenizer's cursor follows the token being handled.
    static void parse(cInfTokenizer& tokens, cInfNode* root);
};
