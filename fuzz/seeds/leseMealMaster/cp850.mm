---------- Recipe via Meal-Master
 Title: K„se

      2    Eier

Kochen.
-----
