#include "EenhedenText.h"

namespace mostarium {

// The same text as Templates/Eenheden.rtf, for when that file is gone.
const char *const builtInEenhedenRtf =
    R"rtf({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red0\green0\blue0;\red128\green0\blue0;}
\f0\fs20{\b\fs28\cf2 Omzetting van eenheden\par}
\par
In buitenlandse, vooral Engelse en Amerikaanse, brouwliteratuur komt u andere eenheden tegen dan de metrische eenheden van dit programma. Hieronder staat hoe u ze omrekent.\par
\par
{\b Temperatuur: graden Fahrenheit en Celsius\par}
\'b0C = (\'b0F - 32) \'d7 5 / 9 en \'b0F = \'b0C \'d7 9 / 5 + 32\par
\tab 32 \'b0F\tab = 0 \'b0C\par
\tab 50 \'b0F\tab = 10 \'b0C\par
\tab 68 \'b0F\tab = 20 \'b0C\par
\tab 104 \'b0F\tab = 40 \'b0C\par
\tab 122 \'b0F\tab = 50 \'b0C\par
\tab 144 \'b0F\tab = 62,2 \'b0C\par
\tab 158 \'b0F\tab = 70 \'b0C\par
\tab 168 \'b0F\tab = 75,6 \'b0C\par
\tab 212 \'b0F\tab = 100 \'b0C\par
\par
{\b Volumes\par}
1 US gallon = 3,785 L; 1 Engelse (imperial) gallon = 4,546 L\par
1 US quart = 0,946 L; 1 US pint = 0,473 L; 1 Engelse pint = 0,568 L\par
1 US barrel (31 US gallon) = 117,3 L\par
\par
{\b Gewichten\par}
1 pound (lb) = 453,6 g; 1 ounce (oz) = 28,35 g\par
\par
{\b Kleur: graden Lovibond en EBC\par}
EBC = 2,65 \'d7 \'b0Lovibond - 1,2 en \'b0Lovibond = (EBC + 1,2) / 2,65\par
Voorbeeld: 10 \'b0L = 25,3 EBC.\par
\par
{\b Dichtheid\par}
Dit programma geeft het soortelijk gewicht in kg/m3: een SG van 1,048 is 1048 kg/m3.\par
kg/m3 = 4,1168 \'d7 \'b0Plato + 999,541 en \'b0Plato = (kg/m3 - 999,541) / 4,1168\par
Voorbeeld: 12 \'b0P = 1048,9 kg/m3.\par
\par
{\b Waterhardheid\par}
1 \'b0dH (Duitse hardheid) = 10 mg/L CaO = 17,8 mg/L CaCO3\par
1 \'b0fH (Franse hardheid) = 10 mg/L CaCO3 = 0,56 \'b0dH\par
1 ppm = 1 mg/L\par
\par
{\b Koolzuur\par}
1 volume CO2 (het gas van 1 L bier bij 0 \'b0C en 1 atm) = 1,96 gr/L\par
Voorbeeld: 2,5 volumes = 4,9 gr/L.\par
\par
{\i Bron: samengesteld door de makers van Mostarium uit de gangbare definities van deze eenheden.\par}
}
)rtf";

}  // namespace mostarium
