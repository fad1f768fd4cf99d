// Builds the INF tree from the scanner's tokens, taking each as it is scanned.
#pragma once

class cInfNode;
class cInfTokenizer;

class cInfParser {
  public:
    // Appends the sections and keys of the tokens to `root`; `tokens` has
    // been started on the text. The first error is reported through the
    // error channel and ends the parse with cInfSyntaxException* (when the
    // channel does not end the process). The whole text is scanned even
    // then, and an error of the scanner anywhere in it is the one reported.
    static void parse(cInfTokenizer& tokens, cInfNode* root);
};
