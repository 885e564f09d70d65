#include "info/help_text.hpp"

namespace {

#define LINE(text) text "\r\n"

constexpr char kHelpText[] =
    LINE("Orvantide")
    LINE("")
    LINE("This program calculates the Mahalanobis distance for each set of scores in "
         "comparison to an inverted covariance matrix.")
    LINE("")
    LINE("Input is:")
    LINE("1.  Number of variables (V).")
    LINE("2.  Number of subjects (S).")
    LINE("3.  An Inverted Covariance matrix. Obtain the covariance matrix of interest and "
         "invert it (in Excel or some other program).  Matrix will be of size V x V.")
    LINE("4.  Data for each subject in difference score format. That is, with the mean of "
         "each variable already subtracted from each score. Matrix will be of size S x V.")
    LINE("")
    LINE("")
    LINE("")
    LINE("***********************************************************")
    LINE("")
    LINE("Orvantide is distributed free of charge. You may copy it and pass it on to others, "
         "provided that it is passed on unchanged and free of charge.")
    LINE("")
    LINE("This program is provided \"as is\", without warranty of any kind, express or "
         "implied, including but not limited to the warranties of merchantability and "
         "fitness for a particular purpose. In no event shall the authors be liable for "
         "any claim, damages or other liability arising from the use of this program or "
         "of its results.");

#undef LINE

}  // namespace

std::string_view HelpText() { return {kHelpText, sizeof kHelpText - 1}; }
