// The quickstart tutorial's panel texts, exactly as the panels show them ("\n" breaks a line).
// Header-only, so that the sound generator can speak the same words the game shows.
#pragma once

// Texts of steps 0, 1, 2, 3, 4, 5, 7 and 8 (step 9 shows the text of step 8; step 6 shows no
// panel). The voice file tutorial0N.ogg reads text N - 1.
inline constexpr const char* kTutorialTexts[8] = {
    // tutorial01.ogg: step 0
    "This is a brief tutorial, you can follow it now or press F1 to quit. In future, if you want "
    "to see this tutorial again, simply press F1 while you are in this screen.\n \nNow click on "
    "the TRAINING Button on the left to set the training schedule for the current boxer.",
    // tutorial02.ogg: step 1
    "You have 25 training points to distribute for each boxer. Each training type has different "
    "effects. If you don't train your boxers, their skills will slowly go down.\nOnce assigned, "
    "training points remain set and you can come in this screen again only if you want to "
    "change the training distribution.\nWhen done click on Finances Screen.",
    // tutorial03.ogg: step 2
    "The equipment that your boxers have at their disposal will greatly influence their "
    "progresses. If you have enough money is always a good idea to invest in a better one. But "
    "be careful not to spend too much! \nNow click on right arrow in top-left corner to learn "
    "about Sponsors.",
    // tutorial04.ogg: step 3
    "You must always keep an eye on money. If your bank account goes in red, the game ends. To "
    "prevent this, you can look at the various offers from sponsors. \nDepending on your boxers "
    "charisma, you can get offers here and earn a bit of money.\nNow head to Rankings Screen.",
    // tutorial05.ogg: step 4
    "Here you can do 2 things: see the rankings of the 17 different weight categories, and also "
    "arrange a new fight. To browse the categories now, click on the arrows in the top-left part "
    "of screen. You can change the currently displayed page using the arrows on bottom-right.\n"
    "When done, click on the left/right arrow under Select one of your boxers text to "
    "automatically center the ranking display to one of your boxers.",
    // tutorial06.ogg: step 5
    "The red flashing name is one of your boxers. Click on any blue name to challenge that "
    "boxer. The rank difference of the 2 boxers must be 5 positions maximum. Once you click on a "
    "name, you'll see the opponent statistics in this part of the screen (this tutorial windows "
    "will close).\nAfter that, choose a date and click on OK button and the tutorial will show "
    "you the last steps. ",
    // tutorial07.ogg: step 7
    "Very good, now you have scheduled a fight on the date shown in the left part of the screen. "
    "At this point you can choose to arrange more fights with your other boxers, or go directly "
    "to the Next Month screen to play this fight. Go in Next Month screen now to finish the "
    "tutorial.",
    // tutorial08.ogg: steps 8 and 9
    "In this screen you can advance time by one month, but if you have a fight scheduled you "
    "need to play it first. To do that you have 2 options: click on the Eye icon to play the "
    "match interactively, or the Monitor icon to play it instantly.\nThis quick tutorial has "
    "ended, you now know the basics of the game, but remember that there are many other options "
    "and tricks that need to be discovered!\nClick any button to end tutorial.",
};
