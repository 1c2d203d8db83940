-- Securing, step 15, as the owner role: the people's names for the change history. The reviewer
-- may not read accounts_dep.plant_person, yet the history names who made each change; this
-- function gives only login and full name, to the jobs that open the history.

DO $$ BEGIN EXECUTE format('SET LOCAL ROLE %I', current_database() || '_owner'); END $$;

CREATE OR REPLACE FUNCTION accounts_dep.person_names()
RETURNS TABLE(login text, full_name text)
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT p.login::text, p.full_name FROM accounts_dep.plant_person p
$$;

DO $$
DECLARE
    d text := current_database();
BEGIN
    REVOKE ALL ON FUNCTION accounts_dep.person_names() FROM PUBLIC;
    EXECUTE format('GRANT EXECUTE ON FUNCTION accounts_dep.person_names() TO %I, %I',
                   d || '_reviewer', d || '_administrator');
END
$$;
